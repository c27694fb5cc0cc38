#pragma once

#include <QStringList>
#include <QWidget>

// Starts a drag on a move with the left button held, as a drag source does, and logs the presses and
// moves it receives. The offscreen platform would end an executed drag at once and delete it, so the
// drag is left pending with its source, as it is while a platform runs it.
class DragSource : public QWidget
{
public:
    explicit DragSource(QStringList *log, QWidget *parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QStringList *m_log;
};
