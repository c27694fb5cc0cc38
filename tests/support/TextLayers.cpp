#include "TextLayers.h"

#include "WidgetLikeDevice.h"
#include "WidgetPaint.h"

#include <QGraphicsEffect>
#include <QHash>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QSet>
#include <QWidget>

#include <algorithm>

namespace {

// Replays every drawing onto a painter of an image, the texts only when asked to. Both layers pass through the
// same engine, so they differ in the texts alone.
class ReplayEngine : public QPaintEngine
{
public:
    // The texts drawn in the places leftOut are left out, or all of them.
    ReplayEngine(QImage &target, qreal ratio, const QSet<int> &leftOut, bool noText)
        : QPaintEngine(AllFeatures)
        , m_target(target)
        , m_ratio(ratio)
        , m_leftOut(leftOut)
        , m_noText(noText)
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
        const int place = m_drawnTexts++;
        if (m_noText || m_leftOut.contains(place) || !prepare())
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
    QSet<int> m_leftOut;
    bool m_noText;
    // Every text the paint came to, shown or not, so that places count alike in every paint.
    int m_drawnTexts = 0;
    QPainter m_painter;
    QTransform m_transform;
    QRegion m_clip;
    bool m_clipped = false;
    QRegion m_shown;
};

class ReplayDevice : public WidgetLikeDevice
{
public:
    ReplayDevice(const QWidget &widget, QImage &target, qreal ratio, const QSet<int> &leftOut, bool noText)
        : WidgetLikeDevice(widget, target.size(), ratio)
        , engine(target, ratio, leftOut, noText)
    {
    }

    mutable ReplayEngine engine;

    QPaintEngine *paintEngine() const override { return &engine; }
};

QImage paintLayer(QWidget &widget, const QSet<int> &leftOut, bool noText, QList<PaintedText> *texts = nullptr)
{
    // The painter of the widget brings the device's scale in its transformation: the image is painted at 1.
    const qreal ratio = widget.devicePixelRatioF();
    QImage image(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    ReplayDevice device(widget, image, ratio, leftOut, noText);
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

// Boxes that come within a pixel of each other: antialiasing reaches that far.
bool touches(const QRectF &one, const QRectF &other)
{
    return one.adjusted(-1, -1, 1, 1).intersects(other);
}

} // namespace

TextLayers paintTextLayers(QWidget &widget)
{
    TextLayers layers;
    layers.whole = paintLayer(widget, {}, false, &layers.texts);
    const QImage noText = paintLayer(widget, {}, true);
    const QList<PaintedText> &texts = layers.texts;
    QList<QSet<int>> copies;
    for (int i = 0; i < texts.size(); ++i) {
        QSet<int> same;
        for (int j = 0; j < texts.size(); ++j) {
            if (j == i || (texts.at(j).text == texts.at(i).text && touches(texts.at(i).box, texts.at(j).box)))
                same << j;
        }
        copies << same;
        layers.faces << *std::max_element(same.cbegin(), same.cend());
    }
    QHash<int, QImage> groundOfFace;
    for (int i = 0; i < texts.size(); ++i) {
        const int face = layers.faces.at(i);
        if (!groundOfFace.contains(face)) {
            bool alone = true;
            for (int j = 0; j < texts.size() && alone; ++j)
                alone = copies.at(i).contains(j) || !touches(texts.at(i).box, texts.at(j).box);
            groundOfFace.insert(face, alone ? noText : paintLayer(widget, copies.at(i), false));
        }
        layers.grounds << groundOfFace.value(face);
    }
    return layers;
}

double textContrast(const TextLayers &layers, int index, const QRectF &logicalBox)
{
    const QImage &ground = layers.grounds.at(index);
    const qreal ratio = layers.whole.devicePixelRatio();
    const QRect box = QRectF(logicalBox.topLeft() * ratio, logicalBox.size() * ratio).toAlignedRect()
                          .intersected(layers.whole.rect());
    double strongest = 0;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            const QRgb text = layers.whole.pixel(x, y);
            const QRgb under = ground.pixel(x, y);
            if (text != under)
                strongest = std::max(strongest, contrastRatio(QColor(text), QColor(under)));
        }
    }
    return strongest;
}

double textContrast(const TextLayers &layers, const QRectF &logicalBox)
{
    int best = -1;
    qreal bestArea = 0;
    for (int i = 0; i < layers.texts.size(); ++i) {
        const QRectF common = layers.texts.at(i).box.intersected(logicalBox);
        const qreal area = common.width() * common.height();
        if (area > bestArea) {
            best = i;
            bestArea = area;
        }
    }
    return best < 0 ? 0 : textContrast(layers, best, logicalBox);
}
