#include "QMWidgets/app/App.h"

#include "QMWidgets/app/MakerLinks.h"
#include "QMWidgets/app/ModalRun.h"
#include "QMWidgets/app/TranslationsManager.h"
#include "QMWidgets/app/UpdateCheck.h"

#include "MTools/FileOpenJudge.h"
#include "MTools/FileReading.h"
#include "MTools/FileWriting.h"

#include "Platform/StoreLinkHandler.h"
#include "Platform/WindowsVersion.h"

#include <QDebug>
#include <algorithm>
#include <iterator>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

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

// The files the settings store reads for the organisation and the application, as QSettings finds them on
// this system: the user's own folder first, then the system's, each with the application's file and the
// organisation's.
QStringList settingsFiles(const QString &organization, const QString &application)
{
    const QString applicationFile = organization + QLatin1Char('/') + application + QStringLiteral(".conf");
    const QString organizationFile = organization + QStringLiteral(".conf");
    QStringList files;
    const QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    for (const QString &folder : folders)
        files << folder + QLatin1Char('/') + applicationFile << folder + QLatin1Char('/') + organizationFile;
    return files;
}

// Why a settings file cannot be read as the bounded reader reads it; empty when all can. QSettings opens
// them with a plain blocking QFile: a named pipe held the program before any window appeared.
QString settingsRefusal(const QString &organization, const QString &application)
{
    const QStringList files = settingsFiles(organization, application);
    for (const QString &file : files) {
        QByteArray bytes;
        QString error;
        // A file that is not there is not opened either.
        if (QFileInfo::exists(file) && !MTools::readFileBounded(file, MTools::SmallFileBound, &bytes, &error))
            return file + QStringLiteral(": ") + error;
    }
    return QString();
}

// Every file the process opens by name is judged from before the application object on, which opens files as it
// starts.
int &withFilesJudged(int &argc)
{
    MTools::judgeFilesOpenedByName();
    return argc;
}

} // namespace

App::App(int &argc, char **argv, const QString &organization, const QString &application)
    : QApplication(withFilesJudged(argc), argv)
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

    const QString refusal = settingsRefusal(organization, application);
    if (refusal.isEmpty()) {
        m_settings = new QSettings(organization, application, this);
    } else {
        qWarning("The settings cannot be read, so this run starts with the default settings and keeps none: %s",
                 qPrintable(refusal));
        // A store of no file: its values live for this run, and nothing opens the file in the way.
        m_settings = new QSettings(QString(), QSettings::IniFormat, this);
    }
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
    delete m_helpDialog.data();
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

void App::addStartupHook(StartupHook hook)
{
    startupHooks().append(hook);
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

bool App::installFileIfMissing(const QString &sourcePath, const QString &directory, const QString &name)
{
    QDir().mkpath(directory);
    const QString targetName = name.isEmpty() ? QFileInfo(sourcePath).fileName() : name;
    const QString target = directory + '/' + targetName;
    if (QFileInfo::exists(target))
        return true;
    QByteArray bytes;
    if (!MTools::readFileBounded(sourcePath, MTools::SupportFileBound, &bytes))
        return false;
    // A failed write leaves no half file that a later call would take as installed.
    return MTools::writeFileSafely(target, bytes);
}

bool App::installSupportFile(const QString &sourcePath, const QString &name)
{
    App *app = instance();
    return app && installFileIfMissing(sourcePath, app->supportDirectory(true), name);
}

void App::slotStartCount()
{
}

void App::slotCheckUpdate()
{
    showUpdateAnswer(checkForUpdate());
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
        showUpdateAnswer(UpdateStatus::Newer);
        setLastUpdateCheckDate(today.toString(dateFormat()));
    }
}

} // namespace QMWidgets
