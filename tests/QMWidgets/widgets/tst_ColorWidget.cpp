#include "QMWidgets/widgets/ColorWidget.h"
#include "QMWidgets/widgets/ColorWidgetPopup.h"

#include "ChildRun.h"

#include <QGridLayout>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

using QMWidgets::ColorWidget;
using QMWidgets::ColorWidgetPopup;

class tst_ColorWidget : public QObject
{
    Q_OBJECT

private:
    static QPushButton *cell(ColorWidget &swatch, int row, int column)
    {
        auto *popup = swatch.findChild<ColorWidgetPopup *>();
        auto *grid = qobject_cast<QGridLayout *>(popup->layout());
        return qobject_cast<QPushButton *>(grid->itemAtPosition(row, column)->widget());
    }

private slots:
    void freshSwatchPaintsGreenWithArrow()
    {
        ColorWidget swatch;
        QSignalSpy changed(&swatch, &ColorWidget::colorChanged);
        swatch.resize(40, 30);
        QImage image(40, 30, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        swatch.render(&image);
        QCOMPARE(swatch.color(), QColor(Qt::green));
        // Far from the highlight the green shows through the half-opaque grey.
        const QColor body = image.pixelColor(34, 4);
        QVERIFY(body.green() > body.red() + 40);
        QCOMPARE(image.pixelColor(34, 23), QColor(Qt::white)); // inside the arrow
        QCOMPARE(changed.count(), 0);
    }

    void setColorEmitsNothing()
    {
        ColorWidget swatch;
        QSignalSpy changed(&swatch, &ColorWidget::colorChanged);
        swatch.setColor(Qt::red);
        QCOMPARE(swatch.color(), QColor(Qt::red));
        QCOMPARE(changed.count(), 0);
    }

    void pressTogglesPaletteBelowTheSwatch()
    {
        QWidget window;
        auto *swatch = new ColorWidget(&window);
        swatch->setGeometry(10, 20, 33, 17);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *popup = swatch->findChild<ColorWidgetPopup *>();
        QVERIFY(popup->isHidden());
        const QList<QPushButton *> before = popup->findChildren<QPushButton *>();
        QCOMPARE(before.size(), 48);
        QTest::mousePress(swatch, Qt::LeftButton);
        QVERIFY(popup->isVisible());
        // The offscreen platform insets a popup window by its 2-pixel frame margin.
        const QPoint offset = popup->pos() - swatch->mapToGlobal(QPoint(0, 17));
        QVERIFY2(offset.x() >= 0 && offset.x() <= 2 && offset.y() == offset.x(), qPrintable(QString("%1,%2").arg(offset.x()).arg(offset.y())));
        QTest::mousePress(swatch, Qt::LeftButton);
        QVERIFY(popup->isHidden());
        QCOMPARE(popup->findChildren<QPushButton *>(), before);
    }

    void pickReportsTheCellColour_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("white") << 0 << 0 << QColor(255, 255, 255);
        QTest::newRow("lighter cell of the last row") << 5 << 2 << QColor(128, 64, 64);
        QTest::newRow("last") << 5 << 7 << QColor(64, 0, 64);
        QTest::newRow("orange") << 2 << 2 << QColor(255, 128, 0);
    }

    void pickReportsTheCellColour()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QColor, expected);
        ColorWidget swatch;
        swatch.resize(30, 20);
        swatch.show();
        QTest::mousePress(&swatch, Qt::LeftButton);
        QColor stored;
        connect(&swatch, &ColorWidget::colorChanged, this, [&] { stored = swatch.color(); });
        QSignalSpy changed(&swatch, &ColorWidget::colorChanged);
        QPushButton *button = cell(swatch, row, column);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).value<QColor>(), expected);
        QCOMPARE(expected.alpha(), 255);
        QCOMPARE(stored, expected); // stored before it is reported
        QVERIFY(swatch.findChild<ColorWidgetPopup *>()->isHidden());
    }

    // The palette closed itself after reporting the pick, on which an owner may delete the swatch and the
    // palette with it (in a process of its own: freed memory aborts the sanitizer build).
    void ownerMayDeleteItOnAPick()
    {
        if (ranRowInChild())
            return;
        QPointer<ColorWidget> swatch = new ColorWidget;
        swatch->show();
        QTest::mousePress(swatch.data(), Qt::LeftButton);
        QColor picked;
        connect(swatch, &ColorWidget::colorChanged, [&](const QColor &color) {
            picked = color;
            delete swatch;
        });
        cell(*swatch, 0, 0)->click();
        QVERIFY(swatch.isNull());
        QVERIFY(picked.isValid());
    }

    void leavingThePaletteClosesItWithoutAPick()
    {
        ColorWidget swatch;
        swatch.show();
        QTest::mousePress(&swatch, Qt::LeftButton);
        auto *popup = swatch.findChild<ColorWidgetPopup *>();
        QSignalSpy changed(&swatch, &ColorWidget::colorChanged);
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(popup, &enter);
        QVERIFY(popup->isMouseOver());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(popup, &leave);
        QVERIFY(!popup->isMouseOver());
        QVERIFY(popup->isHidden());
        QCOMPARE(changed.count(), 0);
    }

    void popupOpacity()
    {
        ColorWidget swatch;
        swatch.setPopupOpacity(0.5f);
        QVERIFY(qAbs(swatch.findChild<ColorWidgetPopup *>()->windowOpacity() - 0.5) < 1.0 / 255);
    }

    void invalidColourPaintsHarmlessly()
    {
        ColorWidget swatch;
        swatch.setColor(QColor());
        swatch.resize(20, 20);
        QImage image(20, 20, QImage::Format_ARGB32);
        swatch.render(&image);
        QVERIFY(!swatch.color().isValid());
    }
};

QTEST_MAIN(tst_ColorWidget)
#include "tst_ColorWidget.moc"
