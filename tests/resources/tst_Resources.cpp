#include "resources/Resources.h"
#include "MUI/MUITabBar.h"
#include "MUI/MUITabBarItem.h"

#include "QMWidgets/widgets/CheckButton.h"
#include "QMWidgets/widgets/ColorWidgetPopup.h"
#include "QMWidgets/widgets/ComboProgress.h"
#include "QMWidgets/widgets/ComboSlider.h"
#include "QMWidgets/promo/CommunityButton.h"
#include "QMWidgets/widgets/DirView.h"
#include "QMWidgets/dialogs/SettingsDialog.h"
#include "QMWidgets/dialogs/SettingsWidget.h"

#include <QCheckBox>
#include <QDialog>
#include <QDomDocument>
#include <QListView>
#include <QProgressBar>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>
#include <QtTest>

#include <algorithm>
#include <functional>

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

// A settings page as a program registers one.
class CheckPage : public QMWidgets::SettingsWidget
{
public:
    CheckPage() { (new QVBoxLayout(this))->addWidget(new QCheckBox(QStringLiteral("Keep backups"))); }
    void load(QDomNode) override {}
    QDomElement save(QDomDocument &document) override { return document.createElement(name()); }
    QString name() const override { return QStringLiteral("General"); }
};

// The part of a kit widget that shows its background, in the widget's coordinates once it is laid out;
// without an area, all of it.
struct Backdrop
{
    QWidget *widget = nullptr;
    QRect (*area)(const QWidget *) = nullptr;
};

// Puts a kit widget into the dialog (or opens it from there) and says where its background shows.
using Placement = std::function<Backdrop(QDialog *)>;

template<typename Widget>
Widget *placed(QDialog *dialog, Widget *widget)
{
    dialog->layout()->addWidget(widget);
    return widget;
}

// The lightness that half of the area's pixels stay below: the background's, whatever text lies on it.
int medianLightness(const QImage &image, const QRect &area)
{
    QVector<int> values;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            values << QColor(image.pixel(x, y)).lightness();
    }
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values.isEmpty() ? -1 : values.at(values.size() / 2);
}

} // namespace

Q_DECLARE_METATYPE(Placement)

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
    void kitIsDarkInsideDialog_data();
    void kitIsDarkInsideDialog();
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

void tst_Resources::kitIsDarkInsideDialog_data()
{
    QTest::addColumn<Placement>("place");
    QTest::newRow("settings page") << Placement([](QDialog *) {
        // The settings dialog is a styled dialog itself; it builds its tabs when it is shown.
        static bool registered = false;
        if (!registered) {
            QMWidgets::SettingsDialog::registerSettingsWidget(QStringLiteral("General"), new CheckPage);
            registered = true;
        }
        auto *settings = new QMWidgets::SettingsDialog;
        settings->setAttribute(Qt::WA_DeleteOnClose);
        settings->show();
        return Backdrop{settings->findChild<QTabWidget *>()->currentWidget()};
    });
    QTest::newRow("progress bar") << Placement([](QDialog *dialog) {
        auto *progress = placed(dialog, new QMWidgets::ComboProgress);
        progress->slotSetProgress(0);
        return Backdrop{progress->findChild<QProgressBar *>()};
    });
    // The groove is a thin line through the middle: its row, right of the handle at 0.
    QTest::newRow("slider groove") << Placement([](QDialog *dialog) {
        auto *slider = placed(dialog, new QMWidgets::ComboSlider(QStringLiteral("Opacity")))->findChild<QSlider *>();
        slider->setMinimumWidth(200);
        return Backdrop{slider, [](const QWidget *groove) {
                            return QRect(groove->width() / 3, groove->height() / 2, groove->width() / 2, 1);
                        }};
    });
    QTest::newRow("spin box") << Placement([](QDialog *dialog) {
        auto *slider = placed(dialog, new QMWidgets::ComboSlider(QStringLiteral("Opacity")));
        return Backdrop{slider->findChild<QSpinBox *>()};
    });
    QTest::newRow("directory tree") << Placement([](QDialog *dialog) {
        auto *tree = placed(dialog, new QMWidgets::DirView)->findChild<QTreeView *>();
        return Backdrop{tree->viewport()};
    });
    QTest::newRow("check button") << Placement([](QDialog *dialog) {
        auto *button = placed(dialog, new QMWidgets::CheckButton);
        button->setFixedSize(32, 32);
        return Backdrop{button};
    });
    QTest::newRow("community button") << Placement([](QDialog *dialog) {
        auto *button = placed(dialog, new QMWidgets::CommunityButton);
        button->setText(QStringLiteral("Community"));
        return Backdrop{button};
    });
    // The palette is a popup window of its own; its margin around the colours is its background.
    QTest::newRow("colour palette") << Placement([](QDialog *dialog) {
        auto *palette = new QMWidgets::ColorWidgetPopup(dialog);
        return Backdrop{palette, [](const QWidget *margin) { return QRect(0, 0, margin->width(), 4); }};
    });
}

// The program sets the sheet on the application, so every dialog has it; a kit widget in one must not keep
// the toolkit's light look.
void tst_Resources::kitIsDarkInsideDialog()
{
    QFETCH(Placement, place);
    qApp->setStyleSheet(Resources::styleSheet());
    const auto unstyle = qScopeGuard([] { qApp->setStyleSheet(QString()); });
    QDialog dialog;
    new QVBoxLayout(&dialog);
    const Backdrop backdrop = place(&dialog);
    dialog.show();
    // A window of its own (the settings dialog, a popup) opens over the dialog.
    QWidget *window = backdrop.widget->window();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCoreApplication::processEvents();

    const QImage image = window->grab().toImage();
    const QRect area = backdrop.area ? backdrop.area(backdrop.widget) : backdrop.widget->rect();
    const QRect inWindow(backdrop.widget->mapTo(window, area.topLeft()), area.size());
    const int lightness = medianLightness(image, inWindow);
    if (window != &dialog)
        window->close();
    QVERIFY2(lightness >= 0 && lightness < 100, qPrintable(QString::number(lightness)));
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
