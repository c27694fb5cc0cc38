#include "TestApp.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/app/Os.h"
#include "QMWidgets/style/StyleHelpers.h"

#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSettings>

using QMWidgets::App;

namespace {

const QString DialogKey = QStringLiteral("TransparencyParameters/ChartDialogs");
const QString MenuKey = QStringLiteral("TransparencyParameters/ContextMenus");

// An invalid percent removes the key, so the default applies.
void storePercent(const QString &key, const QVariant &percent)
{
    if (percent.isValid())
        App::instance()->setValue(key, percent);
    else
        App::instance()->settings()->remove(QCoreApplication::applicationName() + '/' + key);
}

// Window opacity is kept in steps of 1/255.
bool sameOpacity(qreal actual, qreal expected)
{
    return qAbs(actual - expected) <= 1.0 / 255 + 1e-9;
}

} // namespace

class tst_StyleHelpers : public QObject
{
    Q_OBJECT

private slots:
    void setNameAndToolTip_data();
    void setNameAndToolTip();
    void setupPushButton_data();
    void setupPushButton();
    void setupFixedButton();
    void fontFittingBox_data();
    void fontFittingBox();
    void applyDialogOpacity_data();
    void applyDialogOpacity();
    void applyMenuOpacity_data();
    void applyMenuOpacity();
    void grabDesktopTakesTheScreenAnew();

private:
    void opacityRows();
};

void tst_StyleHelpers::setNameAndToolTip_data()
{
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("expectedToolTip");
    QTest::newRow("tool tip replaces the earlier one") << "Close the window" << "Close the window";
    QTest::newRow("empty tool tip keeps the earlier one") << "" << "Earlier tip";
}

void tst_StyleHelpers::setNameAndToolTip()
{
    QFETCH(QString, toolTip);
    QFETCH(QString, expectedToolTip);
    QWidget widget;
    widget.setObjectName("Before");
    widget.setToolTip("Earlier tip");

    QMWidgets::setNameAndToolTip(&widget, "CloseButton", toolTip);

    QCOMPARE(widget.objectName(), QString("CloseButton"));
    QCOMPARE(widget.toolTip(), expectedToolTip);
}

void tst_StyleHelpers::setupPushButton_data()
{
    QTest::addColumn<int>("heightBefore");
    QTest::addColumn<int>("expectedHeight");
    QTest::newRow("low button grows to 32") << 20 << 32;
    QTest::newRow("higher button keeps its height") << 48 << 48;
}

void tst_StyleHelpers::setupPushButton()
{
    QFETCH(int, heightBefore);
    QFETCH(int, expectedHeight);
    QPushButton button("Run");
    button.setObjectName("RunButton");
    button.resize(80, heightBefore);

    QMWidgets::setupPushButton(&button);

    QCOMPARE(button.objectName(), QString("PushButton"));
    QVERIFY(button.isFlat());
    QCOMPARE(button.height(), expectedHeight);
    button.resize(80, 10);
    QCOMPARE(button.height(), 32);
}

void tst_StyleHelpers::setupFixedButton()
{
    QPushButton button("x");
    button.setObjectName("CloseButton");

    QMWidgets::setupFixedButton(&button);
    button.resize(100, 10);

    QCOMPARE(button.objectName(), QString("CloseButton"));
    QVERIFY(button.isFlat());
    QCOMPARE(button.size(), QSize(32, 32));
}

void tst_StyleHelpers::fontFittingBox_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSize>("box");
    QTest::newRow("the height decides") << "62%" << QSize(400, 30);
    QTest::newRow("the width decides") << "Zoom Out" << QSize(30, 30);
    QTest::newRow("no text: only the line's height") << "" << QSize(0, 16);
}

void tst_StyleHelpers::fontFittingBox()
{
    QFETCH(QString, text);
    QFETCH(QSize, box);
    QWidget widget;
    const QFont font = QMWidgets::fontFittingBox(QStringLiteral("System"), text, box, &widget);
    QVERIFY(font.pixelSize() > 1);
    QVERIFY(font.pixelSize() <= box.height());
    const QFontMetrics metrics(font, &widget);
    QVERIFY2(metrics.horizontalAdvance(text) <= box.width(), qPrintable(QString::number(metrics.horizontalAdvance(text))));
    QVERIFY2(metrics.height() <= box.height(), qPrintable(QString::number(metrics.height())));
}

void tst_StyleHelpers::opacityRows()
{
    QTest::addColumn<QVariant>("percent");
    QTest::addColumn<qreal>("expectedOpacity");
    QTest::newRow("absent key reads as 35") << QVariant() << 0.95;
    QTest::newRow("80 percent") << QVariant(80) << 0.5;
    QTest::newRow("0 percent is limited to opaque") << QVariant(0) << 1.0;
    QTest::newRow("130 percent is fully transparent") << QVariant(130) << 0.0;
}

void tst_StyleHelpers::applyDialogOpacity_data()
{
    opacityRows();
}

void tst_StyleHelpers::applyDialogOpacity()
{
    QFETCH(QVariant, percent);
    QFETCH(qreal, expectedOpacity);
    storePercent(DialogKey, percent);
    storePercent(MenuKey, 100); // 0.3, which no row expects: a mixed-up key shows
    QWidget dialog;
    dialog.setWindowOpacity(0.2);

    QMWidgets::applyDialogOpacity(&dialog);

    QVERIFY2(sameOpacity(dialog.windowOpacity(), expectedOpacity), qPrintable(QString::number(dialog.windowOpacity())));
}

void tst_StyleHelpers::applyMenuOpacity_data()
{
    opacityRows();
}

void tst_StyleHelpers::applyMenuOpacity()
{
    QFETCH(QVariant, percent);
    QFETCH(qreal, expectedOpacity);
    storePercent(MenuKey, percent);
    storePercent(DialogKey, 100);
    QWidget window;
    auto panel = new QWidget(&window);
    auto menu = new QMenu(panel);
    QMenu *subMenu = menu->addMenu("More");
    auto ownMenu = new QMenu(&window);
    const QList<QWidget *> windows = { &window, menu, subMenu, ownMenu };
    for (QWidget *widget : windows)
        widget->setWindowOpacity(0.2);

    QMWidgets::applyMenuOpacity(&window);

    for (QWidget *widget : windows)
        QVERIFY2(sameOpacity(widget->windowOpacity(), expectedOpacity),
                 qPrintable(QString("%1: %2").arg(widget->metaObject()->className()).arg(widget->windowOpacity())));
}

// The offscreen screen shows only windows: one that covers the whole screen is what a grab sees.
void tst_StyleHelpers::grabDesktopTakesTheScreenAnew()
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QWidget cover(nullptr, Qt::FramelessWindowHint);
    cover.setAutoFillBackground(true);
    cover.setPalette(QPalette(Qt::red));
    cover.setGeometry(screen);
    cover.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cover));

    const QImage first = QMWidgets::grabDesktop().toImage();
    QCOMPARE(first.size(), screen.size() * QMWidgets::screenScaleFactor());
    QCOMPARE(first.pixelColor(first.rect().center()), QColor(Qt::red));

    cover.setPalette(QPalette(Qt::blue));
    cover.repaint();
    const QImage second = QMWidgets::grabDesktop().toImage();
    QCOMPARE(second.pixelColor(second.rect().center()), QColor(Qt::blue));
}

TARSEL_APP_TEST_MAIN(tst_StyleHelpers)
#include "tst_StyleHelpers.moc"
