#include "QMWidgets/widgets/BubbleWindow.h"

#include "QMWidgets/app/App.h"
#include "TestApp.h"

#include <QLabel>
#include <QVBoxLayout>
#include <QVariantAnimation>
#include <QtTest>

using QMWidgets::BubbleWindow;

namespace {
QImage paint(BubbleWindow &bubble)
{
    QImage image(bubble.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    bubble.render(&image);
    return image;
}

bool filled(const QImage &image, int x, int y)
{
    return qAlpha(image.pixel(x, y)) == 255 && image.pixelColor(x, y) == QColor(Qt::red);
}
}

class tst_BubbleWindow : public QObject
{
    Q_OBJECT

private slots:
    void arrowDownShape()
    {
        BubbleWindow bubble(nullptr, Qt::red);
        bubble.setArrowDown(true);
        bubble.resize(200, 100);
        const QImage image = paint(bubble);
        QVERIFY(filled(image, 2, 2));     // square corner of the body
        QVERIFY(filled(image, 100, 95));  // near the apex
        QVERIFY(filled(image, 10, 78));   // body down to y = 80
        QVERIFY(!filled(image, 10, 90));  // beside the pointer
        QVERIFY(!filled(image, 60, 95));
        QCOMPARE(qAlpha(image.pixel(100, 99)) > 0, true);
    }

    void arrowAtTheTopShape()
    {
        BubbleWindow bubble(nullptr, Qt::red);
        bubble.resize(200, 100);
        const QImage image = paint(bubble);
        QVERIFY(filled(image, 100, 5));   // near the apex
        QVERIFY(!filled(image, 10, 10));  // beside the pointer
        QVERIFY(filled(image, 10, 50));
        QVERIFY(filled(image, 100, 98));
        QCOMPARE(qAlpha(image.pixel(0, 99)), 0); // cut corner
        QCOMPARE(qAlpha(image.pixel(199, 20)), 0);
    }

    // Beside the pointer the band is transparent: a child reaching into it showed as light strips there.
    void contentsKeepOffThePointerBand_data()
    {
        QTest::addColumn<bool>("arrowDown");
        QTest::newRow("pointer at the top") << false;
        QTest::newRow("pointer at the bottom") << true;
    }

    void contentsKeepOffThePointerBand()
    {
        QFETCH(bool, arrowDown);
        BubbleWindow bubble(nullptr, Qt::red);
        bubble.setArrowDown(arrowDown);
        auto *layout = new QVBoxLayout(&bubble);
        auto *label = new QLabel("Click here to run the script");
        layout->addWidget(label);
        bubble.resize(260, 90);
        layout->activate();
        QVERIFY2(label->geometry().top() >= (arrowDown ? 0 : 20), qPrintable(QString::number(label->y())));
        QVERIFY2(label->geometry().bottom() < (arrowDown ? 70 : 90), qPrintable(QString::number(label->y())));
    }

    void animationsRestartOnEveryShowAndHide()
    {
        BubbleWindow bubble(nullptr, Qt::red);
        bubble.show(); // none set: shows at once
        QVERIFY(bubble.isVisible());
        bubble.hide();
        QVariantAnimation showing;
        showing.setDuration(10000);
        showing.setStartValue(0.0);
        showing.setEndValue(1.0);
        QVariantAnimation hiding;
        hiding.setDuration(10000);
        hiding.setStartValue(0.0);
        hiding.setEndValue(1.0);
        bubble.setShowAnimation(&showing);
        bubble.setHideAnimation(&hiding);
        bubble.show();
        QCOMPARE(showing.state(), QAbstractAnimation::Running);
        showing.setCurrentTime(5000);
        bubble.hide();
        QCOMPARE(hiding.state(), QAbstractAnimation::Running);
        bubble.show();
        QCOMPARE(showing.currentTime(), 0); // from its beginning
        bubble.setShowAnimation(nullptr);
        bubble.hide();
        bubble.show();
        QVERIFY(bubble.isVisible());
    }

    // A deleted animation was started through the pointer the bubble kept.
    void deletedAnimationsAreSkipped()
    {
        BubbleWindow bubble(nullptr, Qt::red);
        auto *showing = new QVariantAnimation;
        auto *hiding = new QVariantAnimation;
        bubble.setShowAnimation(showing);
        bubble.setHideAnimation(hiding);
        delete showing;
        delete hiding;
        bubble.show();
        QVERIFY(bubble.isVisible());
        bubble.hide();
        QVERIFY(!bubble.isVisible());
    }

    void clickHidesTheBubble()
    {
        BubbleWindow bubble(nullptr, Qt::red);
        bubble.resize(100, 60);
        bubble.show();
        QTest::mouseClick(&bubble, Qt::LeftButton, {}, QPoint(50, 40));
        QVERIFY(bubble.isHidden());
    }

    void anyPressHidesItOnceWired()
    {
        BubbleWindow bubble(nullptr, Qt::red);
        QWidget other;
        other.show();
        bubble.show();
        QTest::mouseClick(&other, Qt::LeftButton);
        QVERIFY(bubble.isVisible());
        bubble.hideOnMouseButtonPress();
        QTest::mouseClick(&other, Qt::LeftButton);
        QVERIFY(bubble.isHidden());
    }

    void focusChangeHidesItUnlessActive()
    {
        BubbleWindow bubble(nullptr, Qt::red);
        bubble.show();
        if (QApplication::activeWindow() == &bubble)
            QSKIP("the bubble is active");
        bubble.slotFocusChanged(nullptr, nullptr);
        QVERIFY(bubble.isHidden());
    }
};

TARSEL_APP_TEST_MAIN(tst_BubbleWindow)
#include "tst_BubbleWindow.moc"
