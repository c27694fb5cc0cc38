#pragma once

#include <QPaintDevice>
#include <QSize>

class QWidget;

// A paint device that answers as the widget does, at a size in device pixels and a pixel ratio of its own, so
// that fonts and pictures resolve on it as on the widget's screen. A subclass gives the engine.
class WidgetLikeDevice : public QPaintDevice
{
public:
    WidgetLikeDevice(const QWidget &widget, QSize pixels, qreal ratio);

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    const QWidget &m_widget;
    QSize m_pixels;
    qreal m_ratio;
};
