#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace QMWidgets {

// Keeps the widget it is installed on centred in its parent widget, or on the screen when it has none:
// at each show, and on slotResized while it is visible.
class CenterFilter : public QObject
{
    Q_OBJECT

public:
    explicit CenterFilter(QObject *parent);

    bool eventFilter(QObject *watched, QEvent *event) override;
    void centerWidget();

public slots:
    // The screen number that QDesktopWidget::resized passes is not needed.
    void slotResized(int screen);

private:
    // Guarded: the filter may outlive the widget it watches, and a later screen change must not reach it.
    QPointer<QWidget> m_watchedWidget;
};

} // namespace QMWidgets
