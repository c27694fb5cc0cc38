#pragma once

#include "MGraphX/Xani.h"

#include <QWidget>

namespace MGraphX {

// Shows the current frame of its animation stretched over the widget.
class XaniWidget : public QWidget
{
    Q_OBJECT

public:
    explicit XaniWidget(QWidget *parent = nullptr);
    ~XaniWidget() override;

    // Takes the other animation's loop, frame duration and frames.
    void setAnimation(const Xani &animation);
    Xani *animation() { return &m_animation; }

public slots:
    void play();
    void stop();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Xani m_animation;
};

} // namespace MGraphX
