#include "TextLayers.h"

#include "WidgetLikeDevice.h"
#include "WidgetPaint.h"

#include <QGraphicsEffect>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

#include <algorithm>

namespace {

// Replays every drawing onto a painter of an image, the texts only when asked to. Both layers pass through the
// same engine, so they differ in the texts alone.
class ReplayEngine : public QPaintEngine
{
public:
    ReplayEngine(QImage &target, qreal ratio, bool withText)
        : QPaintEngine(AllFeatures)
        , m_target(target)
        , m_ratio(ratio)
        , m_withText(withText)
    {
    }

    // The texts drawn, each with the part of the widget it could show in as its clip.
    QList<PaintedText> texts;

    // Each widget paints with a painter of its own on the shared device, so the engine is begun once per render.
    bool begin(QPaintDevice *) override
    {
        if (!m_painter.isActive())
            m_painter.begin(&m_target);
        return true;
    }
    bool end() override { return true; }
    void finish() { m_painter.end(); }
    Type type() const override { return User; }

    // A painter of another widget may take over with a state of its own, announced in part only: the whole
    // state is taken each time, and the clip is kept here in device pixels.
    void updateState(const QPaintEngineState &state) override
    {
        const DirtyFlags dirty = state.state();
        m_transform = state.transform();
        m_painter.setPen(state.pen());
        m_painter.setBrush(state.brush());
        m_painter.setBrushOrigin(state.brushOrigin());
        m_painter.setBackground(state.backgroundBrush());
        m_painter.setBackgroundMode(state.backgroundMode());
        m_painter.setRenderHints(state.renderHints(), true);
        m_painter.setRenderHints(~state.renderHints(), false);
        m_painter.setCompositionMode(state.compositionMode());
        m_painter.setOpacity(state.opacity());
        // A clip comes in the coordinates of the transformation it was set under, which comes with it.
        if (dirty & DirtyClipPath)
            clip(state.clipOperation(), QRegion(m_transform.map(state.clipPath()).toFillPolygon().toPolygon(),
                                                state.clipPath().fillRule()));
        if (dirty & DirtyClipRegion)
            clip(state.clipOperation(), m_transform.map(state.clipRegion()));
        if (dirty & DirtyClipEnabled)
            m_clipped = state.isClipEnabled() && state.clipOperation() != Qt::NoClip;
    }

    void drawTextItem(const QPointF &origin, const QTextItem &item) override
    {
        if (!m_withText || !prepare())
            return;
        m_painter.drawTextItem(origin, item);
        const QRectF box(origin.x(), origin.y() - item.ascent(), item.width(), item.ascent() + item.descent());
        const qreal ratio = m_ratio;
        const auto logical = [ratio](const QRectF &device) {
            return QRectF(device.topLeft() / ratio, device.size() / ratio);
        };
        texts << PaintedText{item.text(), item.font(), logical(m_transform.mapRect(box)), QRectF(),
                             logical(QRectF(m_shown.boundingRect()))};
    }

    void drawPath(const QPainterPath &path) override
    {
        if (prepare())
            m_painter.drawPath(path);
    }
    void drawPixmap(const QRectF &r, const QPixmap &pixmap, const QRectF &source) override
    {
        if (prepare())
            m_painter.drawPixmap(r, pixmap, source);
    }
    void drawImage(const QRectF &r, const QImage &image, const QRectF &source, Qt::ImageConversionFlags flags) override
    {
        if (prepare())
            m_painter.drawImage(r, image, source, flags);
    }
    void drawTiledPixmap(const QRectF &r, const QPixmap &pixmap, const QPointF &offset) override
    {
        if (prepare())
            m_painter.drawTiledPixmap(r, pixmap, offset);
    }
    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        if (!prepare())
            return;
        switch (mode) {
        case OddEvenMode:
            m_painter.drawPolygon(points, count, Qt::OddEvenFill);
            break;
        case WindingMode:
            m_painter.drawPolygon(points, count, Qt::WindingFill);
            break;
        case ConvexMode:
            m_painter.drawConvexPolygon(points, count);
            break;
        case PolylineMode:
            m_painter.drawPolyline(points, count);
            break;
        }
    }
    void drawPolygon(const QPoint *points, int count, PolygonDrawMode mode) override
    {
        QVector<QPointF> exact(count);
        std::copy(points, points + count, exact.begin());
        drawPolygon(exact.constData(), count, mode);
    }

private:
    void clip(Qt::ClipOperation operation, const QRegion &region)
    {
        if (operation == Qt::NoClip)
            m_clipped = false;
        else if (operation == Qt::IntersectClip && m_clipped)
            m_clip &= region;
        else
            m_clip = region;
        if (operation != Qt::NoClip)
            m_clipped = true;
    }

    // Sets the clip of the widget being painted and of its painter, in device pixels; false when nothing shows.
    bool prepare()
    {
        QRegion shown = systemClip();
        if (m_clipped)
            shown = shown.isEmpty() ? m_clip : shown & m_clip;
        m_painter.resetTransform();
        if (shown.isEmpty() && (m_clipped || !systemClip().isEmpty()))
            return false;
        if (shown.isEmpty())
            shown = m_target.rect();
        m_shown = shown;
        m_painter.setClipRegion(shown);
        m_painter.setTransform(m_transform);
        return true;
    }

    QImage &m_target;
    qreal m_ratio;
    bool m_withText;
    QPainter m_painter;
    QTransform m_transform;
    QRegion m_clip;
    bool m_clipped = false;
    QRegion m_shown;
};

class ReplayDevice : public WidgetLikeDevice
{
public:
    ReplayDevice(const QWidget &widget, QImage &target, qreal ratio, bool withText)
        : WidgetLikeDevice(widget, target.size(), ratio)
        , engine(target, ratio, withText)
    {
    }

    mutable ReplayEngine engine;

    QPaintEngine *paintEngine() const override { return &engine; }
};

QImage paintLayer(QWidget &widget, bool withText, QList<PaintedText> *texts = nullptr)
{
    // The painter of the widget brings the device's scale in its transformation: the image is painted at 1.
    const qreal ratio = widget.devicePixelRatioF();
    QImage image(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    ReplayDevice device(widget, image, ratio, withText);
    // A graphics effect paints its widget a second time shifted by the widget's place on an engine other than
    // Qt's own, so the effects rest meanwhile: an enabled widget looks the same without its effect, and a
    // disabled one, which asks no contrast, is measured in its enabled colours.
    QList<QGraphicsEffect *> resting;
    QList<QWidget *> widgets = widget.findChildren<QWidget *>();
    widgets << &widget;
    for (QWidget *part : widgets) {
        QGraphicsEffect *effect = part->graphicsEffect();
        if (effect && effect->isEnabled()) {
            effect->setEnabled(false);
            resting << effect;
        }
    }
    // One painter for all: a widget's own painter then shares it.
    QPainter painter(&device);
    widget.render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    painter.end();
    device.engine.finish();
    if (texts)
        *texts = device.engine.texts;
    for (QGraphicsEffect *effect : resting)
        effect->setEnabled(true);
    image.setDevicePixelRatio(ratio);
    return image;
}

} // namespace

TextLayers paintTextLayers(QWidget &widget)
{
    TextLayers layers;
    layers.whole = paintLayer(widget, true, &layers.texts);
    layers.ground = paintLayer(widget, false);
    return layers;
}

double textContrast(const TextLayers &layers, const QRectF &logicalBox)
{
    const qreal ratio = layers.whole.devicePixelRatio();
    const QRect box = QRectF(logicalBox.topLeft() * ratio, logicalBox.size() * ratio).toAlignedRect()
                          .intersected(layers.whole.rect());
    double strongest = 0;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            const QRgb text = layers.whole.pixel(x, y);
            const QRgb ground = layers.ground.pixel(x, y);
            if (text != ground)
                strongest = std::max(strongest, contrastRatio(QColor(text), QColor(ground)));
        }
    }
    return strongest;
}
