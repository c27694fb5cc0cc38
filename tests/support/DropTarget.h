#pragma once

#include <QStringList>
#include <QWidget>

class QDropEvent;

// Accepts every drag and logs each enter, move and drop with its position and the text it carries.
class DropTarget : public QWidget
{
public:
    explicit DropTarget(QStringList *log, QWidget *parent = nullptr);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void record(const QString &kind, QDropEvent *event);

    QStringList *m_log;
};
