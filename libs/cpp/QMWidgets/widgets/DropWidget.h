#pragma once

#include "QMWidgets/widgets/Label.h"

#include <QList>
#include <QUrl>

class QPushButton;

namespace QMWidgets {

// Invites the user to drop photos on it or to pick them with its button, and reports the files as URLs.
class DropWidget : public Label
{
    Q_OBJECT

public:
    explicit DropWidget(QWidget *parent = nullptr);

    // Non-zero: the button picks files; 0: it picks one folder.
    void setOpenMode(const int &mode);
    void setHideAfterUse(bool hide);
    void setButtonText(const QString &text);
    void setText(const QString &text);
    void hideButton();

signals:
    void dropped(const QList<QUrl> &urls);

public slots:
    void slotOpenClicked();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void take(const QList<QUrl> &urls);

    QList<QUrl> m_urls;
    QPushButton *m_open;
    bool m_hideAfterUse = true;
    int m_openMode = 1;
};

} // namespace QMWidgets
