#include "QMWidgets/widgets/AdvancedLabel.h"

#include "ChildRun.h"

#include <QPointer>
#include <QtTest>

using QMWidgets::AdvancedLabel;

namespace {
QImage paint(QWidget &widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren); // without the window background
    return image;
}

void send(QWidget &widget, QEvent::Type type)
{
    QEvent event(type);
    QApplication::sendEvent(&widget, &event);
}
}

class tst_AdvancedLabel : public QObject
{
    Q_OBJECT

private slots:
    void pictureIsStretchedInsideTheMargin()
    {
        AdvancedLabel label;
        label.resize(64, 48);
        QPixmap picture(10, 30); // other proportions than the tile
        picture.fill(QColor(100, 150, 200));
        label.setPixmap(picture);
        label.setMargin(4);
        const QImage image = paint(label);
        QCOMPARE(qAlpha(image.pixel(3, 3)), 0);
        QCOMPARE(image.pixelColor(4, 4), QColor(100, 150, 200));
        QCOMPARE(image.pixelColor(59, 43), QColor(100, 150, 200));
        QCOMPARE(qAlpha(image.pixel(60, 44)), 0);
    }

    void hoverBrightensUpTo255()
    {
        AdvancedLabel label;
        label.resize(20, 20);
        QPixmap picture(20, 20);
        picture.fill(QColor(100, 240, 0));
        label.setPixmap(picture);
        send(label, QEvent::Enter);
        QCOMPARE(label.cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(paint(label).pixelColor(10, 10), QColor(130, 255, 30));
        send(label, QEvent::Leave);
        QCOMPARE(label.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(paint(label).pixelColor(10, 10), QColor(100, 240, 0));
    }

    void hoverKeepsTransparency()
    {
        AdvancedLabel label;
        label.resize(20, 20);
        QImage picture(20, 20, QImage::Format_ARGB32);
        picture.fill(Qt::transparent);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 10; ++x)
                picture.setPixelColor(x, y, QColor(50, 60, 70));
        label.setPixmap(QPixmap::fromImage(picture));
        send(label, QEvent::Enter);
        const QImage image = paint(label);
        QCOMPARE(image.pixelColor(3, 10), QColor(80, 90, 100));
        QCOMPARE(qAlpha(image.pixel(16, 10)), 0);
    }

    void emptyTileAndNoAreaPaintNothing_data()
    {
        QTest::addColumn<bool>("picture");
        QTest::addColumn<int>("margin");
        QTest::newRow("nothing") << false << 0;
        QTest::newRow("margin eats the tile") << true << 10;
        QTest::newRow("negative area") << true << 30;
    }

    void emptyTileAndNoAreaPaintNothing()
    {
        QFETCH(bool, picture);
        QFETCH(int, margin);
        AdvancedLabel label;
        label.resize(20, 20);
        if (picture) {
            QPixmap pixmap(8, 8);
            pixmap.fill(Qt::red);
            label.setPixmap(pixmap);
        }
        label.setMargin(margin);
        send(label, QEvent::Enter);
        const QImage image = paint(label);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                QCOMPARE(qAlpha(image.pixel(x, y)), 0);
        QSignalSpy clicked(&label, &AdvancedLabel::clicked);
        label.show();
        QTest::mousePress(&label, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
    }

    // The press went on to the base handler after clicked(), on which an owner may delete the label
    // (in a process of its own: freed memory aborts the sanitizer build).
    void ownerMayDeleteItOnClicked()
    {
        if (ranRowInChild())
            return;
        QPointer<AdvancedLabel> label = new AdvancedLabel;
        label->show();
        connect(label, &AdvancedLabel::clicked, [&] { delete label; });
        QTest::mousePress(label.data(), Qt::LeftButton);
        QVERIFY(label.isNull());
    }

    void captionIsDrawn()
    {
        AdvancedLabel label;
        label.resize(80, 30);
        label.setText("Tile");
        const QImage image = paint(label);
        bool inked = false;
        for (int y = 0; y < 30 && !inked; ++y)
            for (int x = 0; x < 80 && !inked; ++x)
                inked = qAlpha(image.pixel(x, y)) > 0;
        QVERIFY(inked);
    }
};

QTEST_MAIN(tst_AdvancedLabel)
#include "tst_AdvancedLabel.moc"
