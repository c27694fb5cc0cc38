#include "QMWidgets/MenuButton.h"
#include "PaintedText.h"
#include "WidgetPaint.h"
#include "resources/Resources.h"

#include <QtTest>

using QMWidgets::MenuButton;

class tst_MenuButton : public QObject
{
    Q_OBJECT

private slots:
    void menuInWhiteInTheLowerHalf()
    {
        MenuButton button("Text");
        QPalette palette = button.palette();
        palette.setColor(QPalette::Button, Qt::black);
        palette.setColor(QPalette::ButtonText, Qt::black);
        button.setPalette(palette);
        button.resize(100, 40);
        QCOMPARE(button.text(), QString("Text"));
        const QImage image = button.grab().toImage();
        int upperWhite = 0;
        int lowerWhite = 0;
        for (int y = 3; y < 37; ++y)
            for (int x = 3; x < 97; ++x)
                if (image.pixel(x, y) == qRgb(255, 255, 255))
                    (y < 20 ? upperWhite : lowerWhite)++;
        QVERIFY(lowerWhite > 0);
        QCOMPARE(upperWhite, 0);
        MenuButton plain;
        QVERIFY(plain.text().isEmpty());
    }

    // "Menu" is white whatever the style: the style sheet gives the button a dark face to stand on. The face is
    // probed beside the word, on its line.
    void whiteMenuStandsOnADarkFace()
    {
        Resources::init();
        MenuButton button("Text");
        button.setStyleSheet(Resources::styleSheet());
        button.resize(100, 40);
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        const QRectF word = paintedBox(paintedTexts(button), "Menu");
        QVERIFY(!word.isNull());
        const QImage image = paintWidget(button).convertToFormat(QImage::Format_ARGB32);
        for (const QPointF &beside : {QPointF(word.left() - 4, word.center().y()), QPointF(word.right() + 4, word.center().y())}) {
            const QRgb face = image.pixel((beside * image.devicePixelRatio()).toPoint());
            QVERIFY2(qAlpha(face) == 255 && qGray(face) < 100, qPrintable(describePixel(face)));
        }
    }
};

QTEST_MAIN(tst_MenuButton)
#include "tst_MenuButton.moc"
