#include "QMWidgets/promo/MenuButton.h"
#include "PaintedText.h"
#include "WidgetPaint.h"
#include "resources/Resources.h"

#include <QDialog>
#include <QMenu>
#include <QVBoxLayout>
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

    void captionAndMenuDoNotOverlap_data()
    {
        QTest::addColumn<bool>("inDialog");
        QTest::addColumn<bool>("withMenu");
        QTest::newRow("alone") << false << false;
        QTest::newRow("alone, with its menu") << false << true;
        QTest::newRow("in a dialog, with its menu") << true << true;
    }

    // "Menu" covers the lower half, so in the application style the button's own caption keeps to the upper
    // half, at the size the button asks for.
    void captionAndMenuDoNotOverlap()
    {
        QFETCH(bool, inDialog);
        QFETCH(bool, withMenu);
        Resources::init();
        QDialog dialog;
        QWidget plain;
        QWidget *window = inDialog ? static_cast<QWidget *>(&dialog) : &plain;
        window->setStyleSheet(Resources::styleSheet());
        auto *layout = new QVBoxLayout(window);
        auto *button = new MenuButton(QStringLiteral("Examples"));
        if (withMenu)
            button->setMenu(new QMenu(button));
        layout->addWidget(button);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QList<PaintedText> texts = paintedTexts(*button);
        const QRectF caption = paintedBox(texts, "Examples");
        const QRectF menu = paintedBox(texts, "Menu");
        QVERIFY(!caption.isNull() && !menu.isNull());
        const QRectF face(QPointF(0, 0), QSizeF(button->size()));
        QVERIFY2(!caption.intersects(menu), qPrintable(QStringLiteral("caption %1, %2 to %3; menu %4 to %5")
                                                          .arg(button->height()).arg(caption.top()).arg(caption.bottom())
                                                          .arg(menu.top()).arg(menu.bottom())));
        QVERIFY(face.contains(caption));
        QVERIFY(face.contains(menu));
    }
};

QTEST_MAIN(tst_MenuButton)
#include "tst_MenuButton.moc"
