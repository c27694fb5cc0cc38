#include "resources/Resources.h"
#include "MUI/MUITabBar.h"
#include "MUI/MUITabBarItem.h"

#include <QListView>
#include <QRegularExpression>
#include <QtTest>

namespace {

QColor colourAt(QWidget *widget, const QPoint &point)
{
    return widget->grab().toImage().pixelColor(point);
}

bool isNear(const QColor &actual, const QColor &expected)
{
    return qAbs(actual.red() - expected.red()) <= 6 && qAbs(actual.green() - expected.green()) <= 6
        && qAbs(actual.blue() - expected.blue()) <= 6;
}

QString describe(const QColor &colour)
{
    return QStringLiteral("rgb(%1, %2, %3)").arg(colour.red()).arg(colour.green()).arg(colour.blue());
}

} // namespace

class tst_Resources : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void styleSheetIsOneLine();
    void everyImageOfTheSheetIsCompiledIn();
    void toolBarImagesAreCompiledIn_data();
    void toolBarImagesAreCompiledIn();
    void sheetStylesTabBar();
    void lastRuleOfSheetApplies();
    void annotationImagesAreCompiledIn_data();
    void annotationImagesAreCompiledIn();
};

void tst_Resources::initTestCase()
{
    Resources::init();
}

void tst_Resources::styleSheetIsOneLine()
{
    const QString sheet = Resources::styleSheet();
    QVERIFY(sheet.startsWith(QStringLiteral("MUITabBarItem{")));
    QVERIFY(!sheet.contains(QLatin1Char('\n')));
    QVERIFY(!sheet.contains(QLatin1Char('\r')));
}

void tst_Resources::everyImageOfTheSheetIsCompiledIn()
{
    const QRegularExpression url(QStringLiteral("url\\((:/[^)]+)\\)"));
    QStringList names;
    for (auto match = url.globalMatch(Resources::styleSheet()); match.hasNext();) {
        const QString name = match.next().captured(1);
        if (!names.contains(name))
            names << name;
    }
    QVERIFY(names.contains(QStringLiteral(":/backgroundbar.png")));
    for (const QString &name : qAsConst(names))
        QVERIFY2(!QImage(name).isNull(), qPrintable(name + QStringLiteral(" is not compiled in")));
}

void tst_Resources::toolBarImagesAreCompiledIn_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"Icon_menu", "Icon_newfile", "Icon_open", "Icon_save", "Icon_zoom_in", "Icon_zoom_out",
                             "Icon_find", "Icon_undo", "Icon_redo", "Icon_run", "Icon_stop", "Icon_debug",
                             "Icon_compress"}) {
        QTest::newRow(name) << QStringLiteral(":/%1.png").arg(QLatin1String(name));
    }
}

void tst_Resources::toolBarImagesAreCompiledIn()
{
    QFETCH(QString, name);
    const QImage image(name);
    QVERIFY2(!image.isNull(), qPrintable(name));
    QCOMPARE(image.size(), QSize(48, 48));
}

// A sheet that fails to parse is dropped as a whole, so the first rule and the last one are checked.
void tst_Resources::sheetStylesTabBar()
{
    MUITabBar bar(nullptr);
    bar.setStyleSheet(Resources::styleSheet());
    MUITabBarItem *item = bar.addItem(QStringLiteral("Run"), QPixmap());
    bar.addStretch(1);
    bar.resize(400, 48);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));

    QCOMPARE(item->palette().color(QPalette::Text), QColor(QStringLiteral("lightgray")));

    // The bar is dark at its edges and lighter in the middle; the items the other way round.
    const int free = item->geometry().right() + 20;
    const QColor barTop = colourAt(&bar, QPoint(free, 0));
    const QColor barMiddle = colourAt(&bar, QPoint(free, 24));
    QVERIFY2(isNear(barTop, QColor(20, 20, 20)), qPrintable(describe(barTop)));
    QVERIFY2(isNear(barMiddle, QColor(80, 80, 80)), qPrintable(describe(barMiddle)));
    const QColor itemTop = colourAt(item, QPoint(1, 0));
    const QColor itemMiddle = colourAt(item, QPoint(1, 24));
    QVERIFY2(isNear(itemTop, QColor(80, 80, 80)), qPrintable(describe(itemTop)));
    QVERIFY2(isNear(itemMiddle, QColor(20, 20, 20)), qPrintable(describe(itemMiddle)));
}

void tst_Resources::lastRuleOfSheetApplies()
{
    QListView view;
    view.setStyleSheet(Resources::styleSheet());
    view.resize(200, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    // The list's background is the dark panel picture, not the style's white base.
    const QColor inside = colourAt(view.viewport(), QPoint(100, 100));
    QVERIFY2(inside.lightness() < 70, qPrintable(describe(inside)));
}

void tst_Resources::annotationImagesAreCompiledIn_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("takesDrawingColour");
    const bool tinted = true;
    for (const char *name : {"Pen_cur", "Highlighter_cur", "Rect_cur", "FilledRect_cur", "Oval_cur", "Line_cur",
                             "Arrow_cur", "Text_cur"}) {
        QTest::newRow(name) << QStringLiteral(":/%1.png").arg(QLatin1String(name)) << tinted;
    }
    for (const char *name : {"Eraser_cur", "Blur_cur", "steklo", "1px", "2px", "3px", "4px", "5px", "10px", "15px",
                             "dash"}) {
        QTest::newRow(name) << QStringLiteral(":/%1.png").arg(QLatin1String(name)) << !tinted;
    }
}

// The annotation editor recolours the pixels of a cursor whose hue is pure blue's, so a cursor that is to
// take the drawing colour must carry some; every picture must show something.
void tst_Resources::annotationImagesAreCompiledIn()
{
    QFETCH(QString, name);
    QFETCH(bool, takesDrawingColour);
    const QImage image = QImage(name).convertToFormat(QImage::Format_ARGB32);
    QVERIFY2(!image.isNull(), qPrintable(name));
    int visible = 0;
    int pureBlue = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            visible += qAlpha(pixel) > 0;
            pureBlue += pixel == qRgb(0, 0, 255);
        }
    }
    QVERIFY2(visible > 0, qPrintable(name));
    QCOMPARE(pureBlue > 0, takesDrawingColour);
}

QTEST_MAIN(tst_Resources)
#include "tst_Resources.moc"
