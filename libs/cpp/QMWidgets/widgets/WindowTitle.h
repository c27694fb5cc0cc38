#pragma once

#include <QFrame>
#include <QPoint>

class QHBoxLayout;
class QLayout;
class QPushButton;

namespace QMWidgets {

// The title bar of a frameless viewer: the caller's tools, view buttons and a close button. It moves and
// closes nothing itself: it reports drags, the close button and the view buttons through its signals.
class WindowTitle : public QFrame
{
    Q_OBJECT

public:
    explicit WindowTitle(QWidget *parent = nullptr);

    void setToolsLayout(QLayout *layout);
    bool isMenuOpen() const;

signals:
    void changePosition(const QPoint &topLeft);
    void closeWindow();
    void zoomInClicked();
    void zoomOutClicked();
    void hundredPercentClicked();
    void optimizeToggled(bool on);

public slots:
    void slotMenuAboutToShow();
    void slotMenuAboutToHide();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QPushButton *m_optimize;
    QPushButton *m_hundredPercent;
    QPushButton *m_close;
    QPushButton *m_actions;
    QHBoxLayout *m_barLayout;
    QPoint m_pressPosition;
    QWidget *m_tools;
    QFrame *m_bar;
    bool m_menuOpen = false;
};

} // namespace QMWidgets
