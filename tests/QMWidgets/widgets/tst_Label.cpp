#include "QMWidgets/widgets/Label.h"

#include "QMWidgets/app/App.h"

#include <QtTest>

using QMWidgets::Label;

namespace {
QImage paint(QWidget &widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget.render(&image);
    return image;
}

QPixmap solid(int w, int h, const QColor &colour)
{
    QPixmap pixmap(w, h);
    pixmap.fill(colour);
    return pixmap;
}

// The extent, along one row or column, of the picture's colour.
QPair<int, int> span(const QImage &image, bool horizontal, int at, QRgb colour)
{
    int first = -1, last = -1;
    const int n = horizontal ? image.width() : image.height();
    for (int i = 0; i < n; ++i) {
        if ((horizontal ? image.pixel(i, at) : image.pixel(at, i)) == colour) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    return {first, last};
}
}

class tst_Label : public QObject
{
    Q_OBJECT

private slots:
    void nullImagePaintsOnlyTheLabel()
    {
        Label label;
        label.resize(40, 20);
        const QImage image = paint(label);
        QCOMPARE(span(image, true, 10, qRgb(255, 0, 0)).first, -1);
        QCOMPARE(QMWidgets::App::primaryScreenPixelRatio(), 1.0);
    }

    void fitCentresTheImage()
    {
        Label label;
        label.resize(100, 50);
        label.setImage(solid(20, 20, Qt::red)); // square in a wide widget: 50 x 50 in the middle
        const QImage image = paint(label);
        QCOMPARE(span(image, true, 25, qRgb(255, 0, 0)), qMakePair(25, 74));
        QCOMPARE(span(image, false, 50, qRgb(255, 0, 0)), qMakePair(0, 49));
    }

    void fillIsAnchoredTopLeft()
    {
        Label label;
        label.resize(40, 100);
        label.setExpanding(1);
        QImage wide(200, 100, QImage::Format_RGB32);
        wide.fill(Qt::blue);
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 10; ++x)
                wide.setPixel(x, y, qRgb(0, 255, 0)); // a green left edge stays in view
        label.setImage(QPixmap::fromImage(wide));
        const QImage image = paint(label);
        QCOMPARE(image.pixel(1, 50), qRgb(0, 255, 0));
        QCOMPARE(image.pixel(39, 99), qRgb(0, 0, 255));
    }

    void opacityAppliesAtTheNextPaint()
    {
        Label label;
        label.resize(20, 20);
        label.setImage(solid(20, 20, Qt::black));
        QImage before(20, 20, QImage::Format_ARGB32);
        before.fill(Qt::white);
        label.render(&before, QPoint(), QRegion(), QWidget::DrawChildren);
        QCOMPARE(before.pixel(10, 10), qRgb(0, 0, 0));
        label.setOpacity(0.5);
        QImage after(20, 20, QImage::Format_ARGB32);
        after.fill(Qt::white);
        label.render(&after, QPoint(), QRegion(), QWidget::DrawChildren);
        QVERIFY(qAbs(qRed(after.pixel(10, 10)) - 128) <= 1);
    }
};

QTEST_MAIN(tst_Label)
#include "tst_Label.moc"
