#pragma once

#include <QColor>
#include <QFrame>
#include <QPointer>

class QAbstractAnimation;

namespace QMWidgets {

// A frameless, translucent speech bubble with its pointer at the top or bottom centre. It closes on a
// click on it and, once wired, on any mouse press the application reports.
class BubbleWindow : public QFrame
{
    Q_OBJECT

public:
    explicit BubbleWindow(QWidget *parent = nullptr, const QColor &colour = Qt::white);

    void setColor(const QColor &colour);
    void setArrowDown(bool down);
    // Not owned: the caller may delete one at any time, which then counts as none.
    void setShowAnimation(QAbstractAnimation *animation);
    void setHideAnimation(QAbstractAnimation *animation);
    void hideOnMouseButtonPress();

public slots:
    void slotFocusChanged(QWidget *old, QWidget *now);

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void keepContentsOffPointer();
    QPointer<QAbstractAnimation> m_showAnimation; // the caller's: it may delete it while we live
    QPointer<QAbstractAnimation> m_hideAnimation;
    bool m_arrowDown = false;
    QColor m_colour;
};

} // namespace QMWidgets
