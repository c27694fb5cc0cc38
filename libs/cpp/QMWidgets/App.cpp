#include "App.h"

#include "AboutDialog.h"
#include "BlenderWidget.h"
#include "CssEditor.h"
#include "TranslationsManager.h"
#include "UpdateCheck.h"

#include "MTools/Encodings.h"
#include "MTools/FileWriting.h"
#include "HelpDialog.h"
#include "JoinDialog.h"
#include "JoinReminderDialog.h"
#include "MakerLinks.h"
#include "Os.h"
#include "RateAppStoreDialog.h"
#include "TellDialog.h"
#include "TellReminderDialog.h"

#include "Platform/StoreLinkHandler.h"
#include "Platform/WindowsVersion.h"

#include <QDebug>
#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <QDateTime>
#include <QDesktopServices>
#include <QDesktopWidget>
#include <QDir>
#include <QFileInfo>
#include <QFileOpenEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>
#include <QScreen>
#include <QSettings>
#include <QRandomGenerator>
#include <QStandardPaths>

namespace QMWidgets {

namespace {

struct StoreProduct
{
    const char *key;
    const char *productId;
};

// The maker's catalogue: lower-case application key to its 12-character store product id.
static const StoreProduct kStoreProducts[] = {
    {"tarsel", "9NVK9HH7P4F9"},
    {"quillmap", "9N93TCKQ4NPQ"},
    {"brightnote", "9NQ5GKSL1JKW"},
    {"pixelfold", "9NN27G3BDHX0"},
    {"cropmate", "9NDLDBF8FBLD"},
    {"snapruler", "9NZ1CTDM7T6Z"},
    {"lumenview", "9N3H8WC384XG"},
    {"stylecraft", "9N0DHFFG6504"},
    {"tonebox", "9NR4H83H3TB1"},
    {"chartwise", "9NH1J2NN6BK4"},
    {"framekit", "9NRGX0VT747X"},
    {"clipdeck", "9NQ4H34JMGPQ"},
    {"voxlet", "9NZ607PQ9H6S"},
    {"timesmith", "9NC0D9DKB90C"},
    {"fileferry", "9NRK9535H13Z"},
    {"tagwright", "9N1NSNDTVXD2"},
    {"mosaico", "9NCHMJ9D9B82"},
    {"palettepro", "9NS6T33KBNSD"},
    {"screenpad", "9N28G0VQDLDL"},
    {"docsift", "9NSKVFQQ2H4L"},
    {"notequay", "9NJ9Q3Z3M458"},
    {"inkbridge", "9NRGLGTT200W"},
    {"colorpick", "9NX9WQJHF302"},
    {"pdfloom", "9NLVZZ42M21T"},
    {"sketchyard", "9NPXLSWS48Z2"},
    {"gridwise", "9NWBSPJC9VHW"},
    {"scanbay", "9N888GZHPKP5"},
    {"mailsieve", "9NV8HP1B2Z48"},
    {"calcwell", "9NW3B7MWG95R"},
    {"fontnest", "9NSQQG0TVC04"},
    {"markdrop", "9NC0R131N98M"},
    {"barcodely", "9N3THK9WLKDD"},
    {"zipcradle", "9N2XXNJF2D3Z"},
    {"soundtrim", "9NNMK2Q51964"},
    {"vidclipper", "9NQWGG027NT0"},
    {"photoquay", "9NWNH5K9B8JW"},
    {"typeflow", "9NQLMN63XKV6"},
    {"diffwright", "9NG9T1FTQ69X"},
    {"iconbarn", "9N90RX3S6G41"},
    {"jsonlens", "9NVB3BXHFT8R"},
    {"regexbay", "9NB4XG6VFN7S"},
    {"netprobe", "9NXJ4MV20RR6"},
    {"keyvault", "9NVV5621ZW1P"},
    {"passharbor", "9NHMVR5J3V6B"},
    {"budgetfox", "9NKDBXN7T8WG"},
    {"habitloom", "9NK5RH7P1CV0"},
    {"taskbloom", "9NP3ZWZ5401F"},
    {"mindgarden", "9NF9TG041JJN"},
    {"quizforge", "9N3LX8CN7CSP"},
    {"flashdeck", "9N1QLC47BRTX"},
    {"wordsprout", "9NZMFSKR7SNL"},
    {"langtutor", "9NMR7X8PX51M"},
    {"mathpad", "9NMZ9LS8VFF4"},
    {"chemboard", "9N83BVW2JXFL"},
    {"starfinder", "9N4GCWVSMTB8"},
    {"weatherkit", "9N5R3VS5MZFB"},
    {"tidetable", "9NKXBBHVPVBC"},
    {"clockwork", "9NLG6LR613ZW"},
    {"alarmly", "9NLW2BWP9TV0"},
    {"stopwatcher", "9NGLJZQFNL64"},
    {"unitshift", "9N5CMBP57WG0"},
    {"currencia", "9N2PG54JF1XW"},
    {"qrforge", "9N2CGC1Q0X8J"},
    {"hexlens", "9N98F8Q3FL18"},
    {"logreader", "9NT4K9FTTL9P"},
    {"batchrun", "9NBQ6G5J624W"},
    {"textminer", "9NK046CX9XS2"},
    {"cssnest", "9NBB5RCW8BF8"},
    {"webpeek", "9NW4RRXX90HQ"},
};

struct MonthNumber
{
    const char *abbreviation;
    const char *number;
};

static const MonthNumber kMonths[] = {
    {"Jan", "1"}, {"Feb", "2"}, {"Mar", "3"}, {"Apr", "4"}, {"May", "5"}, {"Jun", "6"},
    {"Jul", "7"}, {"Aug", "8"}, {"Sep", "9"}, {"Oct", "10"}, {"Nov", "11"}, {"Dec", "12"},
};

struct VersionName
{
    int code;
    const char *name;
};

static const VersionName kWindowsVersionNames[] = {
    {Platform::WV_2000, "2000"},       {Platform::WV_XP, "XP"},         {Platform::WV_2003, "2003"},
    {Platform::WV_VISTA, "Vista"},     {Platform::WV_WINDOWS7, "7"},    {Platform::WV_WINDOWS8, "8"},
    {Platform::WV_WINDOWS8_1, "8.1"}, {Platform::WV_WINDOWS10, "10"},
};

QList<App::StartupHook> &startupHooks()
{
    static QList<App::StartupHook> hooks;
    return hooks;
}

QString firstLocation(QStandardPaths::StandardLocation location)
{
    const QStringList locations = QStandardPaths::standardLocations(location);
    return locations.isEmpty() ? QString() : locations.first();
}

QString ensured(const QString &path, bool create)
{
    if (create && !QDir(path).exists())
        QDir().mkpath(path);
    return path;
}

QString userFolder(QStandardPaths::StandardLocation location)
{
    return firstLocation(location) + '/' + QCoreApplication::organizationName() + '/'
           + QCoreApplication::applicationName() + '/';
}

void silentMessageHandler(QtMsgType, const QMessageLogContext &, const QString &)
{
}

const char *logLevelText(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
        return " Debug: ";
    case QtWarningMsg:
        return " Warning: ";
    case QtCriticalMsg:
        return " Critical: ";
    case QtFatalMsg:
        return " Fatal: ";
    default:
        return nullptr;
    }
}

void logFileMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    App *app = App::instance();
    if (!app) {
        if (type == QtFatalMsg)
            std::abort();
        return;
    }
    // Inside the support folder: the folder's path carries no trailing slash to append the name to.
    // One line in one append, which never cuts what the log already holds. An info message writes nothing,
    // though the file is created all the same.
    QString line;
    if (const char *level = logLevelText(type)) {
        line = QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yy-hh:mm")) + QLatin1String(level)
               + message + QStringLiteral(", ") + QString::fromUtf8(context.file) + QLatin1Char('\n');
    }
    const QString path = QDir(app->supportDirectory(true)).filePath(QStringLiteral("protocol.log"));
    MTools::appendToFile(path, line.toLocal8Bit());
    if (type == QtFatalMsg)
        std::abort();
}

// The maker's pages, kept as Base64 text in the program.
const char kFirstMakerWebAddress[] = "aHR0cHM6Ly93d3cuYm9ybHVuZS5jb20=";
const char kSecondMakerWebAddress[] = "aHR0cHM6Ly9hcHBzLmJvcmx1bmUuY29t";
const char kThirdMakerWebAddress[] = "aHR0cHM6Ly9zdXBwb3J0LmJvcmx1bmUuY29t";

QRect desktopRect()
{
    return QApplication::desktop()->geometry();
}

} // namespace

App::App(int &argc, char **argv, const QString &organization, const QString &application)
    : QApplication(argc, argv)
    , m_language(QStringLiteral("en"))
{
    QCoreApplication::setOrganizationName(organization);
    QCoreApplication::setApplicationName(application);

    // Tested after the names are set, so the flag speaks of this application's own folders.
    const QString directories[] = {supportDirectory(), documentsDirectory(), cachesDirectory(), dataDirectory(),
                                   workDirectory(), picturesDirectory(), musicDirectory(), moviesDirectory(),
                                   downloadsDirectory()};
    m_firstRun = std::none_of(std::begin(directories), std::end(directories),
                              [](const QString &path) { return QDir(path).exists(); });

    m_openDirectory = workDirectory(true);
    m_saveDirectory = m_openDirectory;

    m_settings = new QSettings(organization, application, this);
    m_resourcesDirectory = QCoreApplication::applicationDirPath() + QStringLiteral("/Resources/");

    m_legalNotice = tr("<H3>This Application Uses:</H3>") + QStringLiteral("Qt ") + QString::number(QT_VERSION_MAJOR)
                    + QStringLiteral(" Toolkit<BR>") + QStringLiteral("under LGPLv3 <A HREF=\"file://")
                    + m_resourcesDirectory + QStringLiteral("LICENSE.LGPL\">(more)</A><BR>")
                    + QStringLiteral("the Qt source code is available on<br>")
                    + QStringLiteral("<A HREF=\"https://download.qt.io\">https://download.qt.io</A>")
                    + QStringLiteral("<BR>");

    // A hook may add hooks; those run only for later application objects.
    const QList<StartupHook> hooks = startupHooks();
    for (StartupHook hook : hooks)
        hook();

    for (const StoreProduct &product : kStoreProducts)
        m_storeProductIds.insert(QString::fromLatin1(product.key), QString::fromLatin1(product.productId));

    m_independentEdition = true;
    installSilentMessageHandler();
    if (checkUpdatesSetting())
        QTimer::singleShot(2000, this, SLOT(checkUpdatesOnStart()));

    // Nothing on this system opens store links; they lead to the maker's page of its applications.
    Platform::StoreLinkHandler::install(this, QUrl(MakerLinks::appsPage()));
}

App::~App()
{
    // Without a main widget the help dialog has no parent to take it along.
    delete m_helpDialog;
}

App *App::instance()
{
    // Null under any other application object, and while the QApplication base is built or torn down.
    return qobject_cast<App *>(QCoreApplication::instance());
}

QSettings *App::settings() const
{
    return m_settings;
}

QString App::reverseDomainAppId() const
{
    const QStringList parts = QCoreApplication::organizationDomain().split('.');
    return parts.last() + '.' + parts.first() + '.' + QCoreApplication::applicationName();
}

QString App::prefixedKey(const QString &key) const
{
    return m_rawSettingsKeys ? key : QCoreApplication::applicationName() + '/' + key;
}

QVariant App::value(const QString &key, const QVariant &defaultValue) const
{
    return m_settings->value(prefixedKey(key), defaultValue);
}

void App::setValue(const QString &key, const QVariant &value)
{
    m_settings->setValue(prefixedKey(key), value);
    m_settings->sync();
}

void App::setRawSettingsKeys(bool raw)
{
    m_rawSettingsKeys = raw;
}

void App::beginSettingsGroup(const QString &group)
{
    m_settings->beginGroup(group);
}

void App::endSettingsGroup()
{
    m_settings->endGroup();
}

QStringList App::settingsChildKeys() const
{
    return m_settings->childKeys();
}

bool App::isFirstStart()
{
    if (!value(QStringLiteral("AppFirstStart"), true).toBool())
        return false;
    setValue(QStringLiteral("AppFirstStart"), false);
    return true;
}

QString App::supportDirectory(bool create) const
{
    QString path = firstLocation(QStandardPaths::AppDataLocation);
    if (path.isEmpty())
        path = QDir::homePath() + '/' + QCoreApplication::applicationName() + '/';
    return ensured(path, create);
}

QString App::dataDirectory(bool create) const
{
    return ensured(firstLocation(QStandardPaths::DataLocation) + '/', create);
}

QString App::cachesDirectory(bool create) const
{
    return ensured(firstLocation(QStandardPaths::CacheLocation), create);
}

QString App::documentsDirectory(bool create) const
{
    return ensured(userFolder(QStandardPaths::DocumentsLocation), create);
}

QString App::picturesDirectory(bool create) const
{
    return ensured(userFolder(QStandardPaths::PicturesLocation), create);
}

QString App::musicDirectory(bool create) const
{
    return ensured(userFolder(QStandardPaths::MusicLocation), create);
}

QString App::moviesDirectory(bool create) const
{
    return ensured(userFolder(QStandardPaths::MoviesLocation), create);
}

QString App::workDirectory(bool create) const
{
    return ensured(QDir::homePath() + '/' + QCoreApplication::applicationName() + '/', create);
}

QString App::downloadsDirectory(bool create) const
{
    return workDirectory(create);
}

void App::dumpDirectories() const
{
    qDebug().noquote() << "supportDirectory:" << supportDirectory();
    qDebug().noquote() << "dataDirectory:" << dataDirectory();
    qDebug().noquote() << "cachesDirectory:" << cachesDirectory();
    qDebug().noquote() << "documentsDirectory:" << documentsDirectory();
    qDebug().noquote() << "workDirectory:" << workDirectory();
    qDebug().noquote() << "picturesDirectory:" << picturesDirectory();
    qDebug().noquote() << "musicDirectory:" << musicDirectory();
    qDebug().noquote() << "moviesDirectory:" << moviesDirectory();
    qDebug().noquote() << "downloadsDirectory:" << downloadsDirectory();
}

QString App::resourcesDirectory() const
{
    return m_resourcesDirectory;
}

void App::setOpenDirectory(const QString &filePath)
{
    m_openDirectory = QFileInfo(filePath).absolutePath();
}

void App::setSaveDirectory(const QString &filePath)
{
    m_saveDirectory = QFileInfo(filePath).absolutePath();
}

QString App::openDirectory() const
{
    return m_openDirectory;
}

QString App::saveDirectory() const
{
    return m_saveDirectory;
}

QString App::buildDateTextFrom(const QString &compilerDate)
{
    QString text = compilerDate.simplified().replace(' ', '/');
    for (const MonthNumber &month : kMonths)
        text.replace(QLatin1String(month.abbreviation), QLatin1String(month.number));
    return text;
}

QString App::buildDateText() const
{
    return buildDateTextFrom(QStringLiteral(__DATE__));
}

QDate App::buildDate() const
{
    return QDate::fromString(buildDateText(), QStringLiteral("M/d/yyyy"));
}

QString App::dateFormat()
{
    return QStringLiteral("yyyy-MM-dd");
}

QString App::language() const
{
    // The manager's first creation settles the language and reports it back through setLanguage.
    TranslationsManager::instance();
    return m_language;
}

void App::setLanguage(const QString &code)
{
    m_language = code;
}

QString App::languagePath() const
{
    const QString code = language();
    return code.contains(QLatin1String("en")) ? QString() : code + '/';
}

QString App::accountPageUrl() const
{
    return QString(m_accountPageUrlTemplate).replace(QLatin1String("%1"), languagePath());
}

void App::setAccountPageUrlTemplate(const QString &urlTemplate)
{
    m_accountPageUrlTemplate = urlTemplate;
}

bool App::isIndependentEdition() const
{
    return m_independentEdition;
}

void App::setIndependentEdition(bool independent)
{
    m_independentEdition = independent;
}

bool App::isStoreEdition()
{
    App *app = instance();
    if (app && app->m_independentEdition)
        return false;
    const QString resources = app ? app->m_resourcesDirectory
                                  : QCoreApplication::applicationDirPath() + QStringLiteral("/Resources/");
    return !QFileInfo::exists(resources + QStringLiteral("independent"));
}

bool App::isFirstRun() const
{
    return m_firstRun;
}

QString App::displayName() const
{
    return m_displayName.isEmpty() ? QCoreApplication::applicationName() : m_displayName;
}

void App::setDisplayName(const QString &name)
{
    m_displayName = name;
}

void App::setWebPageUrl(const QString &url)
{
    m_webPageUrl = url;
}

QString App::webPageUrl() const
{
    return m_webPageUrl;
}

void App::setAppPageUrl(const QString &url)
{
    m_appPageUrl = url;
}

QString App::appPageUrl() const
{
    return m_appPageUrl;
}

void App::setPrivacyPolicyUrl(const QString &url)
{
    m_privacyPolicyUrl = url;
}

QString App::privacyPolicyUrl() const
{
    return m_privacyPolicyUrl;
}

void App::setHelpPages(const QStringList &pages)
{
    m_helpPages = pages;
}

QStringList App::helpPages() const
{
    return m_helpPages;
}

void App::setHelpVideoUrl(const QString &url)
{
    m_helpVideoUrl = url;
}

QString App::helpVideoUrl() const
{
    return m_helpVideoUrl;
}

void App::setLinksDisabled(bool disabled)
{
    m_linksDisabled = disabled;
}

bool App::linksDisabled() const
{
    return m_linksDisabled;
}

bool App::isInactive() const
{
    return m_inactive;
}

QString App::facebookShareUrl() const
{
    return m_facebookShareUrl;
}

QString App::twitterShareUrl() const
{
    return m_twitterShareUrl;
}

QString App::vkontakteShareUrl() const
{
    return m_vkontakteShareUrl;
}

void App::setFacebookShareUrl(const QString &url)
{
    m_facebookShareUrl = url;
}

void App::setTwitterShareUrl(const QString &url)
{
    m_twitterShareUrl = url;
}

void App::setVKontakteShareUrl(const QString &url)
{
    m_vkontakteShareUrl = url;
}

void App::setReminderPeriod(int period)
{
    m_reminderPeriod = period;
}

int App::reminderPeriod() const
{
    return m_reminderPeriod;
}

void App::setReminderDelay(int milliseconds)
{
    m_reminderDelay = milliseconds;
}

int App::reminderDelay() const
{
    return m_reminderDelay;
}

void App::setLegalNotice(const QString &text)
{
    m_legalNotice = text;
}

void App::appendLegalNotice(const QString &text)
{
    m_legalNotice += text;
}

QString App::legalNotice() const
{
    return m_legalNotice;
}

QString App::storeProductId(const QString &key) const
{
    return m_storeProductIds.value(key);
}

QString App::storeProductId() const
{
    return storeProductId(QCoreApplication::applicationName().toLower());
}

QString App::productPageLink(const QString &webLink) const
{
    QString link = webLink;
    if (link.endsWith('/'))
        link.chop(1);
    const QString key = link.split('/').last().toLower();
    const auto found = m_storeProductIds.constFind(key);
    if (found == m_storeProductIds.constEnd())
        return QString();
    return QStringLiteral("ms-windows-store://pdp/?productid=") + found.value();
}

QString App::storeLinkFor(const QString &webLink) const
{
    // The independent edition keeps its links on the web.
    return m_independentEdition ? webLink : productPageLink(webLink);
}

void App::addStartupHook(StartupHook hook)
{
    startupHooks().append(hook);
}

bool App::isSmallScreen(const QRect &desktop)
{
    return desktop.right() - desktop.left() < 479 || desktop.bottom() - desktop.top() < 479;
}

bool App::isSmallScreen()
{
    return isSmallScreen(desktopRect());
}

int App::shorterScreenSide()
{
    const QRect desktop = desktopRect();
    return desktop.width() < desktop.height() ? desktop.width() : desktop.height();
}

int App::longerScreenSide()
{
    const QRect desktop = desktopRect();
    return desktop.height() < desktop.width() ? desktop.width() : desktop.height();
}

bool App::isLandscape()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    return screen && screen->isLandscape(screen->primaryOrientation());
}

bool App::isPortrait()
{
    return !isLandscape();
}

qreal App::primaryScreenPixelRatio()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->devicePixelRatio() : 1.0;
}

QString App::windowsVersionText(int versionCode)
{
    for (const VersionName &version : kWindowsVersionNames) {
        if (version.code == versionCode)
            return QStringLiteral("Win ") + QLatin1String(version.name);
    }
    return QStringLiteral("Win (") + QString::number(versionCode) + ')';
}

QString App::windowsVersionText()
{
    return windowsVersionText(Platform::windowsVersion());
}

void App::installDefaultMessageHandler()
{
    qInstallMessageHandler(nullptr);
}

void App::installSilentMessageHandler()
{
    qInstallMessageHandler(silentMessageHandler);
}

void App::installLogFileMessageHandler()
{
    qInstallMessageHandler(logFileMessageHandler);
}

bool App::event(QEvent *e)
{
    if (e->type() == QEvent::FileOpen) {
        emit fileOpenRequest(static_cast<QFileOpenEvent *>(e)->file());
        return true;
    }
    return QApplication::event(e);
}

bool App::notify(QObject *receiver, QEvent *e)
{
    switch (e->type()) {
    case QEvent::MouseButtonPress:
        emit mouseButtonPress();
        break;
    case QEvent::ApplicationActivate:
        m_inactive = false;
        emit applicationActivated();
        break;
    case QEvent::ApplicationDeactivate:
        m_inactive = true;
        emit applicationDeactivated();
        break;
    case QEvent::Expose:
        emit applicationExposed();
        break;
    default:
        break;
    }
    return QApplication::notify(receiver, e);
}

void App::setMainWidget(QWidget *widget)
{
    m_mainWidget = widget;
    auto *blender = new BlenderWidget(nullptr);
    blender->setObjectName(QStringLiteral("MainWidgetBlender"));
    blender->setParent(widget);
    blender->setAutoFillBackground(true);
    blender->hide();
    m_blender = blender;
}

QWidget *App::mainWidget() const
{
    return m_mainWidget.data();
}

void App::setPromotedApp(const QString &first, const QString &second)
{
    m_firstPromotedApp = first;
    m_secondPromotedApp = second;
}

void App::setPromotedAppLink(const QString &key)
{
    m_promotedAppLink = storeLinkFor(key);
}

QString App::promotedAppLink() const
{
    return m_promotedAppLink;
}

bool App::hasPromotedApp() const
{
    return !m_secondPromotedApp.isEmpty() || !m_promotedAppLink.isEmpty();
}

void App::initializeOnce()
{
    if (isStoreEdition())
        return;
    if (value(QStringLiteral("Initialized"), false).toBool())
        return;
    QTimer::singleShot(1000, this, SLOT(slotStartCount()));
    setValue(QStringLiteral("Initialized"), true);
}

bool App::isAutoUpdateAllowed()
{
    return !QFileInfo::exists(QDir::current().filePath(QStringLiteral("noautoupdate")));
}

void App::postMousePress(QWidget *target, int x, int y, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    if (!target)
        return;
    QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseButtonPress, QPointF(x, y), button, buttons,
                                                        Qt::NoModifier));
}

void App::postMouseRelease(QWidget *target, int x, int y, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    if (!target)
        return;
    QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseButtonRelease, QPointF(x, y), button, buttons,
                                                        Qt::NoModifier));
}

QPoint App::clickPoint(const QWidget *widget, int x, int y)
{
    return QPoint(x < 0 ? widget->width() / 2 : x, y < 0 ? widget->height() / 2 : y);
}

void App::postMouseClick(QWidget *target, int x, int y, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    if (!target)
        return;
    const QPoint point = clickPoint(target, x, y);
    postMousePress(target, point.x(), point.y(), button, buttons);
    postMouseRelease(target, point.x(), point.y(), button, buttons);
}

QWidget *App::findWidgetByClassName(const QString &className)
{
    QWidget *candidate = nullptr;
    const QWidgetList topLevels = QApplication::topLevelWidgets();
    for (QWidget *topLevel : topLevels) {
        if (QLatin1String(topLevel->metaObject()->className()) == className)
            return topLevel;
        // A match under a later top-level widget replaces one found earlier.
        const QList<QWidget *> children = topLevel->findChildren<QWidget *>();
        for (QWidget *child : children) {
            if (QLatin1String(child->metaObject()->className()) == className) {
                candidate = child;
                break;
            }
        }
    }
    return candidate;
}

bool App::isChildOf(const QObject *widget, const QObject *parent)
{
    if (!widget || !parent)
        return false;
    return parent->findChildren<QObject *>().contains(const_cast<QObject *>(widget));
}

bool App::installFileIfMissing(const QString &sourcePath, const QString &directory, const QString &name)
{
    QDir().mkpath(directory);
    const QString targetName = name.isEmpty() ? QFileInfo(sourcePath).fileName() : name;
    const QString target = directory + '/' + targetName;
    if (QFileInfo::exists(target))
        return true;
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    // A failed write leaves no half file that a later call would take as installed.
    return MTools::writeFileSafely(target, source.readAll());
}

bool App::installSupportFile(const QString &sourcePath, const QString &name)
{
    App *app = instance();
    return app && installFileIfMissing(sourcePath, app->supportDirectory(true), name);
}

QString App::makerWebSite()
{
    return QStringLiteral("https://www.borlune.com");
}

QString App::makerContactAddress()
{
    return QStringLiteral("support@borlune.com");
}

QString App::firstMakerWebAddress()
{
    return MTools::fromBase64ToString(QLatin1String(kFirstMakerWebAddress));
}

QString App::secondMakerWebAddress()
{
    return MTools::fromBase64ToString(QLatin1String(kSecondMakerWebAddress));
}

QString App::thirdMakerWebAddress()
{
    return MTools::fromBase64ToString(QLatin1String(kThirdMakerWebAddress));
}

void App::slotStartCount()
{
}

void App::slotShowPrivacyPolicy()
{
    if (!m_privacyPolicyUrl.isEmpty())
        QDesktopServices::openUrl(QUrl(m_privacyPolicyUrl));
}

void App::slotShowCssEditor()
{
    auto *editor = new CssEditor(nullptr);
    editor->show();
}

void App::slotContactUs()
{
    const QString system = windowsVersionText() + ' ' + language() + ' '
                           + (isStoreEdition() ? QString() : QStringLiteral("I"));
    const QString link = QStringLiteral("mailto:") + makerContactAddress() + QStringLiteral("?subject=Contact (")
                         + QCoreApplication::applicationName() + ' ' + QCoreApplication::applicationVersion()
                         + QStringLiteral(") ") + system + QStringLiteral("&body=");
    QDesktopServices::openUrl(QUrl(link));
}

void App::slotTellFriend()
{
    const QString appKey = QCoreApplication::applicationName().toLower();
    QString link = makerWebSite() + '/' + appKey;
    if (!m_appPageUrl.isEmpty())
        link = m_appPageUrl;
    else if (isStoreEdition())
        link = storeLinkFor(appKey).replace(QLatin1String("macappstore"), QLatin1String("https"));
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:?subject=Check out the cool ")
                                   + QCoreApplication::applicationName() + QStringLiteral(" app!&body=")
                                   + displayName() + QStringLiteral(" - ") + link));
}

void App::slotSupportPage()
{
    QDesktopServices::openUrl(QUrl(m_appPageUrl.isEmpty() ? makerWebSite() : m_appPageUrl));
}

void App::slotGoToPromotedApp()
{
    QString link;
    if (!m_promotedAppLink.isEmpty())
        link = m_promotedAppLink;
    else if (!hasPromotedApp() && !m_webPageUrl.isEmpty())
        link = m_webPageUrl;
    QDesktopServices::openUrl(QUrl(link));
}

void App::slotAbout()
{
    // Guarded: the main widget may close and take the box with it while it runs.
    QPointer<AboutDialog> dialog = new AboutDialog(mainWidget());
    dialog->exec();
    delete dialog.data();
}

void App::slotSetBlendMainWidget(bool on)
{
    if (!m_mainWidget || !m_blender)
        return;
    if (!on) {
        m_blender->hide();
        return;
    }
    m_blender->setFixedSize(m_mainWidget->width(), m_mainWidget->height());
    m_blender->show();
    m_blender->raise();
}

QStringList App::siteLanguages() const
{
    return m_siteLanguages;
}

void App::setSiteLanguages(const QStringList &languages)
{
    m_siteLanguages = languages;
}

int App::reminderKind() const
{
    return m_reminderKind;
}

void App::setReminderKind(int kind)
{
    m_reminderKind = kind;
}

namespace {

enum ReminderKind { RateKind = 1, TellKind = 2, JoinKind = 4, KindByEdition = 8 };

// One of the Rate, Tell and Join bits of kinds, with equal chances; kinds as they are with at most one.
int pickReminderKind(int kinds)
{
    if (kinds == KindByEdition)
        return App::isStoreEdition() ? RateKind : TellKind;
    QList<int> candidates;
    for (int kind : {RateKind, TellKind, JoinKind}) {
        if (kinds & kind)
            candidates << kind;
    }
    if (candidates.size() < 2)
        return kinds;
    return candidates.at(QRandomGenerator::global()->bounded(candidates.size()));
}

} // namespace

void App::setReminder(int period, int kinds)
{
    setReminderKind(pickReminderKind(kinds));
    setReminderPeriod(period);
    // Armed again, the reminder changes kind and period but still prompts and counts once a quit.
    connect(this, SIGNAL(aboutToQuit()), this, SLOT(slotCallRateReminderInternal()), Qt::UniqueConnection);
}

void App::setRateReminder(int period)
{
    setReminder(period, RateKind);
}

void App::setTellReminder(int period)
{
    setReminder(period, TellKind);
}

void App::setJoinReminder(int period)
{
    setReminder(period, JoinKind);
}

void App::actOnReminderAnswer(int answer)
{
    switch (answer) {
    case ReminderStateDialog::Rate:
        slotRateApp();
        break;
    case ReminderStateDialog::Mail:
        slotContactUs();
        break;
    case ReminderStateDialog::NeverAskAgain:
        break;
    default:
        return;
    }
    setValue(QStringLiteral("AutoReminder"), false);
}

void App::slotCallRateReminderInternal()
{
    QWidget *parent = mainWidget();
    if (parent && !parent->isVisible())
        parent->show();

    const bool enabled = value(QStringLiteral("AutoReminder"), true).toBool();
    const int count = value(QStringLiteral("AutoReminderCount"), 1).toInt();
    if (!enabled)
        return;

    if (count % qMax(1, m_reminderPeriod) == 0) {
        ReminderDialog *dialog = nullptr;
        if (m_reminderKind == RateKind)
            dialog = new RateAppStoreDialog(parent);
        else if (m_reminderKind == TellKind)
            dialog = new TellReminderDialog(parent);
        else
            dialog = new JoinReminderDialog(parent);
        dialog->exec();
        const int answer = dialog->result();
        delete dialog;
        actOnReminderAnswer(answer);
    }
    setValue(QStringLiteral("AutoReminderCount"), countAfter(count));
}

void App::slotCallRateReminder()
{
    setReminderKind(RateKind);
    QTimer::singleShot(m_reminderDelay, this, SLOT(slotCallRateReminderInternal()));
}

void App::slotCallTellReminder()
{
    setReminderKind(TellKind);
    QTimer::singleShot(m_reminderDelay, this, SLOT(slotCallRateReminderInternal()));
}

void App::slotCallJoinReminder()
{
    setReminderKind(JoinKind);
    QTimer::singleShot(m_reminderDelay, this, SLOT(slotCallRateReminderInternal()));
}

void App::slotImmediatelyRate()
{
    auto *dialog = new RateAppStoreDialog(mainWidget());
    dialog->exec();
    const int answer = dialog->result();
    delete dialog;
    actOnReminderAnswer(answer);
}

void App::setShareLinks(const QString &appKey)
{
    const QString key = appKey.isEmpty() ? QCoreApplication::applicationName().toLower() : appKey;
    const QString code = language();
    QString suffix = QStringLiteral("org/");
    if (code == QLatin1String("de") || code == QLatin1String("ru") || m_siteLanguages.contains(code))
        suffix = code + '/';
    m_appPageUrl = MakerLinks::countrySitePrefix() + suffix + key;
    m_facebookShareUrl = MakerLinks::facebookSharePage() + QStringLiteral("sharer.php?u=") + m_appPageUrl;
    m_twitterShareUrl = MakerLinks::twitterStatusPage() + QStringLiteral("home?status=") + m_appPageUrl;
}

void App::setFollowLinks(const QString &appKey)
{
    const QString key = appKey.isEmpty() ? QCoreApplication::applicationName().toLower() : appKey;
    const QString base = MakerLinks::appsPage() + key;
    m_facebookShareUrl = base + QStringLiteral("/facebook.php");
    m_twitterShareUrl = base + QStringLiteral("/twitter.php");
    m_vkontakteShareUrl = base + QStringLiteral("/vkontakte.php");
    m_appPageUrl = base;
}

void App::slotRateApp()
{
    QString link;
    if (isIndependentEdition()) {
        link = MakerLinks::appServer() + QStringLiteral("rate.php?appname=")
               + QCoreApplication::applicationName().toLower();
    } else {
        link = storeLinkFor(m_appPageUrl)
                   .replace(QLatin1String("//pdp/?productid="), QLatin1String("//review/?ProductId="));
    }
    MakerLinks::open(link);
}

void App::slotShowMoreApps()
{
    MakerLinks::open(MakerLinks::storePublisherPage());
}

void App::slotShareApp()
{
    auto *dialog = new TellDialog(QApplication::activeWindow());
    dialog->exec();
    delete dialog;
}

void App::slotJoin()
{
    auto *dialog = new JoinDialog(QApplication::activeWindow());
    dialog->exec();
    delete dialog;
}

HelpDialog *App::helpDialog() const
{
    return m_helpDialog;
}

void App::slotHelp()
{
    if (!m_helpDialog) {
        m_helpDialog = new HelpDialog(mainWidget());
        for (const QString &page : qAsConst(m_helpPages))
            m_helpDialog->addSlide(page);
        if (!m_helpVideoUrl.isEmpty())
            m_helpDialog->setVideoLink(m_helpVideoUrl);
    }
    m_helpDialog->raise();
    m_helpDialog->activateWindow();
    m_helpDialog->show();
}

void App::scheduleIntroAtStart()
{
    if (HelpDialog::shouldShowIntro())
        QTimer::singleShot(500, instance(), SLOT(slotHelp()));
}

void App::slotCheckUpdate()
{
    showUpdateDialog(checkForUpdate());
}

void App::checkUpdatesOnStart()
{
    const QString text = lastUpdateCheckDate();
    const QDate lastCheck = QDate::fromString(text, dateFormat());
    const QDate today = QDate::currentDate();
    if (text.isEmpty() || !lastCheck.isValid()) {
        setLastUpdateCheckDate(today.toString(dateFormat()));
        return;
    }
    // Without a newer build the date stays, so the next start asks again.
    if (lastCheck.daysTo(today) > 5 && isNewerVersionAvailable()) {
        showUpdateDialog(UpdateStatus::Newer);
        setLastUpdateCheckDate(today.toString(dateFormat()));
    }
}

} // namespace QMWidgets
