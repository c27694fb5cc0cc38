#include "QMWidgets/MenuButton.h"

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
};

QTEST_MAIN(tst_MenuButton)
#include "tst_MenuButton.moc"
