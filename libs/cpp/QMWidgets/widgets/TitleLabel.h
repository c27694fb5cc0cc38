#pragma once

#include <QLabel>
#include <QPoint>

namespace QMWidgets {

// The title bar of a frameless window: carries the buttons, drags its window and keeps a floating
// overlay glued to itself.
class TitleLabel : public QLabel
{
    Q_OBJECT

public:
    explicit TitleLabel(QWidget *parent = nullptr);
    ~TitleLabel() override;

    // Takes the widget; the previous overlay is deleted.
    void setOverlay(QWidget *widget, const QPoint &offset);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void placeOverlay();

    int m_pressX = 0;
    int m_pressY = 0;
    QPoint m_overlayOffset;
    QWidget *m_overlay = nullptr;
};

} // namespace QMWidgets
