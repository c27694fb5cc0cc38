#include "WidgetLikeDevice.h"

#include <QWidget>

WidgetLikeDevice::WidgetLikeDevice(const QWidget &widget, QSize pixels, qreal ratio)
    : m_widget(widget)
    , m_pixels(pixels)
    , m_ratio(ratio)
{
}

int WidgetLikeDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return m_pixels.width();
    case PdmHeight:
        return m_pixels.height();
    case PdmDevicePixelRatio:
        return int(m_ratio);
    case PdmDevicePixelRatioScaled:
        return int(m_ratio * devicePixelRatioFScale());
    case PdmWidthMM:
        return m_widget.widthMM();
    case PdmHeightMM:
        return m_widget.heightMM();
    case PdmNumColors:
        return m_widget.colorCount();
    case PdmDepth:
        return m_widget.depth();
    case PdmDpiX:
        return m_widget.logicalDpiX();
    case PdmDpiY:
        return m_widget.logicalDpiY();
    case PdmPhysicalDpiX:
        return m_widget.physicalDpiX();
    case PdmPhysicalDpiY:
        return m_widget.physicalDpiY();
    }
    return 0;
}
