#include "HangBound.h"
#include "QMWidgets/app/App.h"
#include "QMWidgets/dialogs/HelpDialog.h"
#include "QMWidgets/dialogs/HelpDisplay.h"
#include "QMWidgets/dialogs/HelpViewArea.h"
#include "QMWidgets/app/MakerLinks.h"
#include "ButtonLookup.h"
#include "TestApp.h"
#include "ChildRun.h"
#include "HostileResource.h"
#include "LinkCatcher.h"

#include <QAbstractButton>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstring>

using namespace QMWidgets;

namespace {

const char paintFlag[] = "--paint";

QAbstractButton *slideButton(QWidget *area, const QString &number)
{
    for (QAbstractButton *button : area->findChildren<QAbstractButton *>("HelpSlideButton")) {
        if (button->text() == number)
            return button;
    }
    return nullptr;
}

} // namespace

class tst_HelpDialog : public QObject
{
    Q_OBJECT

private slots:
    void hostileResourcesShowNoPicture_data();
    void hostileResourcesShowNoPicture();
    void initTestCase();
    void init();
    void cleanup();
    void displayCentresTheImage_data();
    void displayCentresTheImage();
    void displayWithoutImagePaintsNothing();
    void displayCentresAtAHighPixelRatio();
    void slideShowWrapsAround();
    void slideShowAdvancesOnItsTimer();
    void clickingASlideStopsTheShow();
    void noSlidesTicksDoNothing();
    void dialogStartsAndStopsTheShow();
    void alwaysSkipTurnsTheIntroOff();
    void hiddenSkipButtonStaysHidden();
    void videoButtonNeedsALink_data();
    void videoButtonNeedsALink();
    void videoFallbacks_data();
    void videoFallbacks();

private:
    QString makeImage(const QString &name, const QSize &size, const QColor &colour);

    QTemporaryDir m_dir;
    QString m_red;
    QString m_green;
    QString m_blue;
};

QString tst_HelpDialog::makeImage(const QString &name, const QSize &size, const QColor &colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = m_dir.filePath(name);
    image.save(path, "PNG");
    return path;
}

void tst_HelpDialog::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_red = makeImage("red.png", QSize(100, 50), Qt::red);
    m_green = makeImage("green.png", QSize(50, 100), Qt::green);
    m_blue = makeImage("blue.png", QSize(40, 40), Qt::blue);
}

void tst_HelpDialog::init()
{
    App::instance()->setValue("NeverShowItAgain", false);
}

void tst_HelpDialog::cleanup()
{
    HelpDialog::setUrlOpener({});
    App::instance()->setLinksDisabled(false);
}

void tst_HelpDialog::displayCentresTheImage_data()
{
    QTest::addColumn<QString>("image");
    QTest::addColumn<QPoint>("inside");
    QTest::addColumn<QPoint>("outside");
    QTest::addColumn<QColor>("colour");
    // A 400 by 300 display: the wide image fills the width with black bands above and below it,
    // the tall one the height with bands left and right.
    QTest::newRow("wide image") << "red" << QPoint(200, 60) << QPoint(200, 40) << QColor(Qt::red);
    QTest::newRow("tall image") << "green" << QPoint(130, 150) << QPoint(120, 150) << QColor(Qt::green);
}

void tst_HelpDialog::displayCentresTheImage()
{
    QFETCH(QString, image);
    QFETCH(QPoint, inside);
    QFETCH(QPoint, outside);
    QFETCH(QColor, colour);
    HelpDisplay display(nullptr);
    display.resize(400, 300);
    display.setImage(image == "red" ? m_red : m_green);
    const QImage shot = display.grab().toImage();
    QCOMPARE(shot.pixelColor(inside), colour);
    QCOMPARE(shot.pixelColor(outside), QColor(Qt::black));
    // Centred: the mirror of each point shows the same.
    const QPoint mirror(399 - inside.x(), 299 - inside.y());
    QCOMPARE(shot.pixelColor(mirror), colour);
    QCOMPARE(shot.pixelColor(QPoint(399 - outside.x(), 299 - outside.y())), QColor(Qt::black));
}

// The screen's ratio is fixed when the application starts, so the display paints in a run of its own.
void tst_HelpDialog::displayCentresAtAHighPixelRatio()
{
    const QString shotPath = m_dir.filePath("ratio3.png");
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_SCALE_FACTOR", "3");
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), {paintFlag, m_red, shotPath});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitCode(), 0);
    const QImage shot(shotPath);
    QCOMPARE(shot.size(), QSize(1200, 900));
    // The wide image fills the width and lies between logical rows 50 and 250.
    QCOMPARE(shot.pixelColor(600, 3 * 45), QColor(Qt::black));
    QCOMPARE(shot.pixelColor(600, 3 * 55), QColor(Qt::red));
    QCOMPARE(shot.pixelColor(600, 3 * 245), QColor(Qt::red));
    QCOMPARE(shot.pixelColor(600, 3 * 255), QColor(Qt::black));
}

void tst_HelpDialog::displayWithoutImagePaintsNothing()
{
    HelpDisplay display(nullptr);
    display.resize(400, 300);
    QVERIFY(display.grab().toImage().pixelColor(200, 150) != QColor(Qt::black));
}

void tst_HelpDialog::slideShowWrapsAround()
{
    HelpViewArea area(nullptr);
    for (const QString &path : {m_red, m_green, m_blue})
        area.addSlide(path);
    area.show();
    auto *display = area.findChild<HelpDisplay *>();
    QVERIFY(display);
    QCOMPARE(display->image(), QString());

    area.slotStartSlideShow();
    QVERIFY(slideButton(&area, "1")->isChecked());
    QCOMPARE(display->image(), m_red);
    area.slotShowNextSlide();
    QVERIFY(slideButton(&area, "2")->isChecked());
    QCOMPARE(display->image(), m_green);
    area.slotShowNextSlide();
    QCOMPARE(display->image(), m_blue);
    area.slotShowNextSlide();
    QVERIFY(slideButton(&area, "1")->isChecked());
    QVERIFY(!slideButton(&area, "3")->isChecked());
    QCOMPARE(display->image(), m_red);
}

void tst_HelpDialog::slideShowAdvancesOnItsTimer()
{
    HelpViewArea area(nullptr);
    area.addSlide(m_red);
    area.addSlide(m_green);
    area.show();
    auto *timer = area.findChild<QTimer *>();
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 5000);
    area.slotStartSlideShow();
    QVERIFY(timer->isActive());
    timer->setInterval(10); // the same show, faster
    auto *display = area.findChild<HelpDisplay *>();
    QTRY_COMPARE_WITH_TIMEOUT(display->image(), m_green, HangBoundMs);
    QTRY_COMPARE_WITH_TIMEOUT(display->image(), m_red, HangBoundMs);
}

void tst_HelpDialog::clickingASlideStopsTheShow()
{
    HelpViewArea area(nullptr);
    for (const QString &path : {m_red, m_green, m_blue})
        area.addSlide(path);
    area.show();
    area.slotStartSlideShow();
    auto *timer = area.findChild<QTimer *>();
    QTest::mouseClick(slideButton(&area, "2"), Qt::LeftButton);
    QCOMPARE(area.findChild<HelpDisplay *>()->image(), m_green);
    QVERIFY(!timer->isActive());
    QVERIFY(!slideButton(&area, "1")->isChecked());
    // Started again, the show goes on from the checked slide.
    area.slotStartSlideShow();
    QVERIFY(timer->isActive());
    area.slotShowNextSlide();
    QCOMPARE(area.findChild<HelpDisplay *>()->image(), m_blue);
}

void tst_HelpDialog::noSlidesTicksDoNothing()
{
    HelpViewArea area(nullptr);
    area.show();
    auto *timer = area.findChild<QTimer *>();
    area.slotStartSlideShow();
    QVERIFY(timer->isActive());
    timer->setInterval(5);
    QSignalSpy ticks(timer, &QTimer::timeout);
    QVERIFY(ticks.wait(HangBoundMs));
    QCOMPARE(area.findChild<HelpDisplay *>()->image(), QString());
}

void tst_HelpDialog::dialogStartsAndStopsTheShow()
{
    HelpDialog dialog(nullptr);
    dialog.addSlide(m_red);
    dialog.addSlide(m_green);
    QCOMPARE(dialog.windowTitle(), QString("Tarsel Introduction"));
    auto *timer = dialog.findChild<QTimer *>();
    QVERIFY(!timer->isActive());
    dialog.show();
    QVERIFY(timer->isActive());
    QVERIFY(slideButton(&dialog, "1")->isChecked());
    QVERIFY(!buttonWithText(&dialog, "&Watch videos")->isVisible());
    QVERIFY(buttonWithText(&dialog, "&Always skip intro")->isVisible());

    QTest::mouseClick(buttonWithText(&dialog, "&Close"), Qt::LeftButton);
    QVERIFY(dialog.isHidden());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!timer->isActive());
    QVERIFY(HelpDialog::shouldShowIntro());
}

void tst_HelpDialog::alwaysSkipTurnsTheIntroOff()
{
    HelpDialog dialog(nullptr);
    dialog.show();
    QTest::mouseClick(buttonWithText(&dialog, "&Always skip intro"), Qt::LeftButton);
    QVERIFY(dialog.isHidden());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(App::instance()->value("NeverShowItAgain", false).toBool());
    QVERIFY(!HelpDialog::shouldShowIntro());
    dialog.show();
    QVERIFY(!buttonWithText(&dialog, "&Always skip intro")->isVisible());
}

void tst_HelpDialog::hiddenSkipButtonStaysHidden()
{
    HelpDialog dialog(nullptr);
    dialog.hideSkipButton();
    dialog.show();
    QVERIFY(!buttonWithText(&dialog, "&Always skip intro")->isVisible());
    QVERIFY(buttonWithText(&dialog, "&Close")->isVisible());
}

void tst_HelpDialog::videoButtonNeedsALink_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<bool>("linksDisabled");
    QTest::addColumn<bool>("shown");
    QTest::newRow("a link") << "https://youtu.be/abc" << false << true;
    QTest::newRow("no link") << "" << false << false;
    QTest::newRow("links disabled") << "https://youtu.be/abc" << true << false;
}

void tst_HelpDialog::videoButtonNeedsALink()
{
    QFETCH(QString, link);
    QFETCH(bool, linksDisabled);
    QFETCH(bool, shown);
    App::instance()->setLinksDisabled(linksDisabled);
    HelpDialog dialog(nullptr);
    dialog.setVideoLink(link);
    dialog.show();
    QPushButton *video = buttonWithText(&dialog, "&Watch videos");
    QCOMPARE(video->isVisible(), shown);
    QCOMPARE(video->objectName(), QString("VideoButton"));

    QStringList opened;
    HelpDialog::setUrlOpener([&](const QUrl &url) {
        opened << url.toString();
        return true;
    });
    dialog.slotWatchVideo();
    QCOMPARE(opened, shown ? QStringList{link} : QStringList());
}

void tst_HelpDialog::videoFallbacks_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("failures");
    QTest::addColumn<QStringList>("opened");
    QTest::addColumn<bool>("supportPage");
    const QString org = "https://www.borlune.org/video.php?view=";
    QTest::newRow("opened at once") << "https://youtu.be/abc" << "en" << 0 << QStringList{"https://youtu.be/abc"} << false;
    QTest::newRow("short link on the international page")
        << "https://youtu.be/abc" << "en" << 1 << QStringList{"https://youtu.be/abc", org + "abc"} << false;
    QTest::newRow("watch link on the german page")
        << "https://www.youtube.com/watch?v=xyz" << "de" << 1
        << QStringList{"https://www.youtube.com/watch?v=xyz", "https://www.borlune.de/video.php?view=xyz"} << false;
    QTest::newRow("both fail: the support page")
        << "https://youtu.be/abc" << "en" << 2 << QStringList{"https://youtu.be/abc", org + "abc"} << true;
}

void tst_HelpDialog::videoFallbacks()
{
    QFETCH(QString, link);
    QFETCH(QString, language);
    QFETCH(int, failures);
    QFETCH(QStringList, opened);
    QFETCH(bool, supportPage);
    App *app = App::instance();
    app->language();
    app->setLanguage(language);
    QStringList tried;
    HelpDialog::setUrlOpener([&](const QUrl &url) {
        tried << url.toString();
        return tried.size() > failures;
    });
    HelpDialog dialog(nullptr);
    dialog.setVideoLink(link);
    LinkCatcher catcher({"http", "https", "mailto", "ms-windows-store"});
    dialog.slotWatchVideo();
    app->setLanguage("en");
    QCOMPARE(tried, opened);
    QCOMPARE(catcher.linkTexts().size(), supportPage ? 1 : 0);
}

// Paints a 400 by 300 display of the image given and saves what it shows.
static int paintRun(char **argv)
{
    int argc = 1;
    QApplication app(argc, argv);
    if (App::primaryScreenPixelRatio() != 3.0)
        return 3;
    HelpDisplay display(nullptr);
    display.resize(400, 300);
    display.setImage(QString::fromLocal8Bit(argv[2]));
    return display.grab().toImage().save(QString::fromLocal8Bit(argv[3]), "PNG") ? 0 : 1;
}

void tst_HelpDialog::hostileResourcesShowNoPicture_data()
{
    addHostileResourceRows();
}

// A slide that is a hostile file shows black, at once.
void tst_HelpDialog::hostileResourcesShowNoPicture()
{
    RUN_ROW_IN_CHILD(HostileRowTimeoutMs);
    const HostileResource hostile = makeHostileResource(TestApp::homePath());
    const RouteCost cost;
    QMWidgets::HelpDisplay display(nullptr);
    display.resize(200, 150);
    display.setImage(hostile.path);
    const QImage shown = display.grab().toImage();
    QCOMPARE(shown.pixel(100, 75), qRgb(0, 0, 0));
    QVERIFY2(cost.excess().isEmpty(), qPrintable(cost.excess()));
}

int main(int argc, char **argv)
{
    if (argc == 4 && std::strcmp(argv[1], paintFlag) == 0)
        return paintRun(argv);
    TestApp app(argc, argv);
    tst_HelpDialog test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_HelpDialog.moc"
