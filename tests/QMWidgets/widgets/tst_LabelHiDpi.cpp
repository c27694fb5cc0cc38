#include "QMWidgets/widgets/Label.h"

#include "QMWidgets/app/App.h"
#include "WidgetPaint.h"

#include <QApplication>
#include <QtTest>

using QMWidgets::Label;

class tst_LabelHiDpi : public QObject
{
    Q_OBJECT

private slots:
    void screenHasRatioTwo()
    {
        QCOMPARE(QMWidgets::App::primaryScreenPixelRatio(), 2.0);
    }

    // A picture of one-pixel columns survives only if it is scaled to the device pixels, not the logical ones.
    void fitUsesEveryDevicePixel()
    {
        QImage stripes(200, 100, QImage::Format_RGB32);
        for (int x = 0; x < 200; ++x)
            for (int y = 0; y < 100; ++y)
                stripes.setPixel(x, y, x % 2 ? qRgb(0, 0, 255) : qRgb(255, 0, 0));
        Label label;
        label.resize(100, 50);
        label.setImage(QPixmap::fromImage(stripes));
        const QImage image = paintWidget(label);
        QCOMPARE(image.size(), QSize(200, 100));
        for (int x = 0; x < 200; ++x)
            QCOMPARE(image.pixel(x, 50), x % 2 ? qRgb(0, 0, 255) : qRgb(255, 0, 0));
    }

    // A square in a 100 x 50 label: 100 x 100 device pixels, i.e. 50 x 50 logical ones, centred.
    void fitCentresInLogicalPixels()
    {
        QPixmap square(30, 30);
        square.fill(Qt::red);
        Label label;
        label.resize(100, 50);
        label.setImage(square);
        const QImage image = paintWidget(label);
        QCOMPARE(image.pixel(49, 50), qRgba(0, 0, 0, 0));
        QCOMPARE(image.pixel(50, 0), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(149, 99), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(150, 50), qRgba(0, 0, 0, 0));
    }

    // Fill mode covers 40 x 100 logical pixels from the top-left; the wide picture is cut on the right.
    void fillCoversTheWidgetFromTheLeft()
    {
        QImage wide(400, 100, QImage::Format_RGB32);
        wide.fill(Qt::blue);
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 4; ++x)
                wide.setPixel(x, y, qRgb(0, 255, 0));
        Label label;
        label.resize(40, 100);
        label.setExpanding(1);
        label.setImage(QPixmap::fromImage(wide));
        const QImage image = paintWidget(label);
        QCOMPARE(image.pixel(2, 100), qRgb(0, 255, 0));
        QCOMPARE(image.pixel(79, 199), qRgb(0, 0, 255));
    }
};

// The scale factor must be in place before the application object reads the screens.
int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    tst_LabelHiDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_LabelHiDpi.moc"
