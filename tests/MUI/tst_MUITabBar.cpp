#include "MUI/MUITabBar.h"
#include "MUI/MUITabBarItem.h"

#include <QBoxLayout>
#include <QImage>
#include <QPainter>
#include <QtTest>

namespace {

QPixmap solidPicture(const QSize &size, const QColor &colour)
{
    QPixmap picture(size);
    picture.fill(colour);
    return picture;
}

bool isRed(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60;
}

bool isGreen(QRgb pixel)
{
    return qGreen(pixel) > 200 && qRed(pixel) < 60 && qBlue(pixel) < 60;
}

bool isShadow(QRgb pixel)
{
    return qRed(pixel) < 130 && qGreen(pixel) < 130 && qBlue(pixel) < 130;
}

// The smallest rectangle holding every pixel that matches.
template<typename Match>
QRect boundsOf(const QImage &image, Match match)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (match(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

template<typename Match>
int countOf(const QImage &image, const QRect &area, Match match)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (match(image.pixel(x, y)))
                ++count;
        }
    }
    return count;
}

QImage imageOf(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void showAndLayOut(QWidget *widget, int width)
{
    widget->resize(width, widget->height());
    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget));
    widget->layout()->activate();
}

// White items with a large green caption, so that picture, caption and shadow are told apart.
const char *const s_plainLook =
    "MUITabBarItem { background: white; border: none; color: rgb(0, 255, 0); font: bold 20px; }";

} // namespace

class tst_MUITabBar : public QObject
{
    Q_OBJECT

private slots:
    void pictureBox_data();
    void pictureBox();
    void captionInLowerHalfWithShadow();
    void emptyCaptionStillDrawsPicture();
    void minimumWidthIsCaptionWidth_data();
    void minimumWidthIsCaptionWidth();
    void itemsShareWidthAndHiddenItemTakesNoRoom();
    void separatorIsPlainVerticalLine();
    void stretchPushesLaterItemsRight();
};

void tst_MUITabBar::pictureBox_data()
{
    QTest::addColumn<QSize>("pictureSize");
    QTest::addColumn<QRect>("expected");

    // The bar is 48 high: the picture fits 24 by 24, its left edge at w/2 - 12 (w = 200),
    // its top at 12 - (scaled height)/2 + 3.
    QTest::newRow("square picture scaled up to the box, top at 3") << QSize(10, 10) << QRect(88, 3, 24, 24);
    QTest::newRow("square picture scaled down to the box")         << QSize(96, 96) << QRect(88, 3, 24, 24);
    QTest::newRow("wide picture centred vertically")               << QSize(40, 20) << QRect(88, 9, 24, 12);
    QTest::newRow("tall picture keeps its left edge")              << QSize(20, 40) << QRect(88, 3, 12, 24);
}

void tst_MUITabBar::pictureBox()
{
    QFETCH(QSize, pictureSize);
    QFETCH(QRect, expected);

    MUITabBar bar(nullptr);
    bar.setStyleSheet(s_plainLook);
    MUITabBarItem *item = bar.addItem(QString(), solidPicture(pictureSize, Qt::red));
    showAndLayOut(&bar, 200);
    QCOMPARE(bar.height(), 48);
    QCOMPARE(item->geometry(), QRect(0, 0, 200, 48));

    const QImage image = imageOf(item);
    QCOMPARE(boundsOf(image, isRed), expected);
    // Smooth scaling of a uniform picture leaves it uniform: the whole box is covered.
    QCOMPARE(countOf(image, expected, isRed), expected.width() * expected.height());
}

void tst_MUITabBar::captionInLowerHalfWithShadow()
{
    MUITabBar bar(nullptr);
    bar.setStyleSheet(s_plainLook);
    MUITabBarItem *item = bar.addItem(QStringLiteral("Run"), QPixmap());
    showAndLayOut(&bar, 200);

    const QImage image = imageOf(item);
    // The flat item lets the style sheet's background through.
    QCOMPARE(image.pixel(1, 1), qRgb(255, 255, 255));

    const QRect upperHalf(0, 0, 200, 24);
    const QRect lowerHalf(0, 24, 200, 24);
    QCOMPARE(countOf(image, upperHalf, isGreen), 0);
    QCOMPARE(countOf(image, upperHalf, isShadow), 0);

    const QRect caption = boundsOf(image, isGreen);
    QVERIFY(!caption.isEmpty());
    QVERIFY2(lowerHalf.contains(caption), qPrintable(QStringLiteral("caption at %1,%2 %3x%4")
        .arg(caption.x()).arg(caption.y()).arg(caption.width()).arg(caption.height())));
    // Centred horizontally, within the rounding of the glyphs.
    QVERIFY(qAbs(caption.center().x() - 100) <= 2);

    // The shadow is the caption moved 2 pixels right and down, drawn underneath.
    const QRect shadow = boundsOf(image, isShadow);
    QVERIFY(!shadow.isEmpty());
    QCOMPARE(shadow.right(), caption.right() + 2);
    QCOMPARE(shadow.bottom(), caption.bottom() + 2);
}

void tst_MUITabBar::emptyCaptionStillDrawsPicture()
{
    MUITabBar bar(nullptr);
    bar.setStyleSheet(s_plainLook);
    MUITabBarItem *item = bar.addItem(QString(), solidPicture(QSize(24, 24), Qt::red));
    QCOMPARE(item->minimumWidth(), 0);
    showAndLayOut(&bar, 100);

    QCOMPARE(boundsOf(imageOf(item), isRed), QRect(38, 3, 24, 24));
}

void tst_MUITabBar::minimumWidthIsCaptionWidth_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<int>("minimumWidth");
    // DejaVu Sans Mono advances 0.6 of its size per character, hinted to whole pixels at these sizes; 4 more
    // pixels leave room for the shadow and the neighbours.
    QTest::newRow("Save As at 10 pixels") << "Save As" << 10 << 46;
    QTest::newRow("Save As at 20 pixels") << "Save As" << 20 << 88;
    QTest::newRow("Run at 20 pixels") << "Run" << 20 << 40;
    QTest::newRow("no caption") << "" << 20 << 0;
}

void tst_MUITabBar::minimumWidthIsCaptionWidth()
{
    QFETCH(QString, caption);
    QFETCH(int, pixelSize);
    QFETCH(int, minimumWidth);
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(pixelSize);
    if (QFontInfo(font).family() != QLatin1String("DejaVu Sans Mono"))
        QSKIP("DejaVu Sans Mono is not installed (package fonts-dejavu-core)");

    MUITabBar bar(nullptr);
    MUITabBarItem *item = bar.addItem(QString(), QPixmap());
    item->setFont(font);
    item->setText(caption);
    QCOMPARE(item->minimumWidth(), minimumWidth);
    QCOMPARE(item->text(), caption);
    QVERIFY(item->isFlat());
    QCOMPARE(item->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(item->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
}

void tst_MUITabBar::itemsShareWidthAndHiddenItemTakesNoRoom()
{
    MUITabBar bar(nullptr);
    MUITabBarItem *menu = bar.addItem(QString(), QPixmap());
    menu->hide();
    MUITabBarItem *open = bar.addItem(QStringLiteral("Open"), QPixmap());
    MUITabBarItem *save = bar.addItem(QStringLiteral("Save"), QPixmap());
    showAndLayOut(&bar, 400);

    QVERIFY(menu->isHidden());
    QCOMPARE(open->geometry(), QRect(0, 0, 200, 48));
    QCOMPARE(save->geometry(), QRect(200, 0, 200, 48));
}

void tst_MUITabBar::separatorIsPlainVerticalLine()
{
    MUITabBar bar(nullptr);
    QPalette palette = bar.palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    palette.setColor(QPalette::Window, Qt::white);
    bar.setPalette(palette);
    bar.setAutoFillBackground(true);

    MUITabBarItem *left = bar.addItem(QStringLiteral("A"), QPixmap());
    bar.addSeparator();
    MUITabBarItem *right = bar.addItem(QStringLiteral("B"), QPixmap());
    showAndLayOut(&bar, 301);

    const QRect gap(left->geometry().right() + 1, 0, right->geometry().left() - left->geometry().right() - 1, 48);
    QVERIFY(gap.width() > 0);

    // Between the two items lies exactly one full-height column of the foreground colour.
    const QImage image = imageOf(&bar);
    const auto isBlue = [](QRgb pixel) { return pixel == qRgb(0, 0, 255); };
    const QRect line = boundsOf(image.copy(gap), isBlue);
    QCOMPARE(line.width(), 1);
    QCOMPARE(line.height(), 48);
    QCOMPARE(countOf(image, QRect(0, 0, 301, 48), isBlue), 48);
}

void tst_MUITabBar::stretchPushesLaterItemsRight()
{
    MUITabBar bar(nullptr);
    MUITabBarItem *first = bar.addItem(QStringLiteral("Run"), QPixmap());
    bar.addStretch(1);
    MUITabBarItem *last = bar.addItem(QStringLiteral("Stop"), QPixmap());
    showAndLayOut(&bar, 600);

    QCOMPARE(first->x(), 0);
    QCOMPARE(last->geometry().right(), 599);
    // The stretch takes the free room, not the expanding items.
    QCOMPARE(first->width(), first->sizeHint().width());
    QCOMPARE(last->width(), last->sizeHint().width());
    QVERIFY(last->x() - first->geometry().right() > 300);
}

QTEST_MAIN(tst_MUITabBar)
#include "tst_MUITabBar.moc"
