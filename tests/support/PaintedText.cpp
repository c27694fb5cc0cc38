#include "PaintedText.h"

#include "WidgetLikeDevice.h"

#include <QPaintEngine>
#include <QPainterPath>
#include <QWidget>

namespace {

// Keeps the text items and the transformation they were drawn under; every other drawing is dropped.
class TextEngine : public QPaintEngine
{
public:
    TextEngine()
        : QPaintEngine(AllFeatures)
    {
    }

    QList<PaintedText> texts;

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & DirtyTransform)
            m_transform = state.transform();
        if (state.state() & DirtyClipEnabled && !state.isClipEnabled())
            m_clip = QRectF();
        if (state.state() & DirtyClipPath)
            m_clip = clipped(state) ? m_transform.mapRect(state.clipPath().boundingRect()) : QRectF();
        if (state.state() & DirtyClipRegion)
            m_clip = clipped(state) ? m_transform.mapRect(QRectF(state.clipRegion().boundingRect())) : QRectF();
    }

    void drawTextItem(const QPointF &origin, const QTextItem &item) override
    {
        const QRectF box(origin.x(), origin.y() - item.ascent(), item.width(), item.ascent() + item.descent());
        texts << PaintedText{item.text(), item.font(), m_transform.mapRect(box), m_lastShape, m_clip};
    }

    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawImage(const QRectF &, const QImage &, const QRectF &, Qt::ImageConversionFlags) override {}
    void drawPath(const QPainterPath &path) override { m_lastShape = m_transform.mapRect(path.boundingRect()); }
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawPolygon(const QPoint *, int, PolygonDrawMode) override {}

private:
    static bool clipped(const QPaintEngineState &state) { return state.clipOperation() != Qt::NoClip; }

    QTransform m_transform;
    QRectF m_lastShape;
    QRectF m_clip;
};

// A device of the widget's logical size and resolution, so that fonts resolve as they do on screen.
class TextDevice : public WidgetLikeDevice
{
public:
    explicit TextDevice(const QWidget &widget)
        : WidgetLikeDevice(widget, widget.size(), 1)
    {
    }

    TextEngine engine;

    QPaintEngine *paintEngine() const override { return const_cast<TextEngine *>(&engine); }
};

} // namespace

QList<PaintedText> paintedTexts(QWidget &widget)
{
    TextDevice device(widget);
    widget.render(&device, QPoint(), QRegion(), QWidget::DrawChildren);
    return device.engine.texts;
}

QRectF paintedBox(const QList<PaintedText> &texts, const QString &part)
{
    QRectF box;
    for (const PaintedText &text : texts) {
        if (text.text.contains(part))
            box = box.isNull() ? text.box : box.united(text.box);
    }
    return box;
}
