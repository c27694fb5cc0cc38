#include "HangBound.h"
#include "MGraphX/XaniWidget.h"

#include <QSignalSpy>
#include <QtTest>

using MGraphX::Xani;
using MGraphX::XaniFrame;
using MGraphX::XaniWidget;

class tst_XaniWidget : public QObject
{
    Q_OBJECT

private slots:
    void playsItsFramesStretched();
};

static XaniFrame frameOf(QRgb left, QRgb right)
{
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, left);
    image.setPixel(1, 0, right);
    XaniFrame frame;
    frame.setImage(image);
    return frame;
}

void tst_XaniWidget::playsItsFramesStretched()
{
    Xani source;
    source.appendFrame(frameOf(qRgb(255, 0, 0), qRgb(0, 255, 0)));
    source.appendFrame(frameOf(qRgb(0, 0, 255), qRgb(255, 255, 0)));
    XaniWidget widget;
    widget.resize(40, 20);
    widget.setAnimation(source);
    QCOMPARE(widget.animation()->frameCount(), 2);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));

    QSignalSpy spy(widget.animation(), &Xani::frameChanged);
    widget.play();
    QVERIFY(spy.wait(HangBoundMs));
    QImage shown = widget.grab().toImage();
    // Each source pixel covers half of the widget.
    QCOMPARE(shown.pixel(5, 10), qRgb(255, 0, 0));
    QCOMPARE(shown.pixel(35, 10), qRgb(0, 255, 0));
    QVERIFY(spy.wait(HangBoundMs));
    shown = widget.grab().toImage();
    QCOMPARE(shown.pixel(5, 10), qRgb(0, 0, 255));
    QCOMPARE(shown.pixel(35, 5), qRgb(255, 255, 0));
    widget.stop();
    QVERIFY(!widget.animation()->isRunning());
}

QTEST_MAIN(tst_XaniWidget)
#include "tst_XaniWidget.moc"
