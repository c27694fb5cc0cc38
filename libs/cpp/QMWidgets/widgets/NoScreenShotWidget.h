#pragma once

#include <QLabel>
#include <QList>
#include <QPointer>

namespace QMWidgets {

// Calls setVisible(visible) on every widget among root's descendants; a null root is ignored.
void setChildWidgetsVisible(QObject *root, bool visible);

// A label that hides the widgets inside it while the application has no active window (as while another
// program takes a screen capture), so that its own text shows in their place, and shows them again once
// the application is active.
class NoScreenShotWidget : public QLabel
{
    Q_OBJECT

public:
    explicit NoScreenShotWidget(QWidget *parent = nullptr);
    explicit NoScreenShotWidget(const QString &text, QWidget *parent = nullptr);

    // Installs a key filter on every inner widget that exists now; each call adds one more per widget.
    void installKeyFilters();
    // Hides the inner widgets that are not hidden already and remembers them.
    void hideInnerWidgets();
    // Shows again the widgets that hideInnerWidgets hid; widgets hidden for other reasons stay hidden.
    void showInnerWidgets();

public slots:
    void slotFocusChanged(QWidget *old, QWidget *now);

protected:
    bool event(QEvent *event) override;

private:
    void followApplicationState();

    QList<QPointer<QWidget>> m_hiddenWidgets;
    bool m_hiding = false;
};

} // namespace QMWidgets
