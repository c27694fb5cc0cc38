#include "QMWidgets/app/UpdateCheck.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/app/ModalRun.h"

#include "Platform/WindowsVersion.h"
#include "QMRequest/Downloader.h"

#include <QDate>
#include <QDebug>
#include <QPixmap>
#include <QTimer>

namespace QMWidgets {

namespace {

const int RequestTimeoutMs = 7000;

struct UpdateServers
{
    QString primary = QStringLiteral("http://apps.borlune.com");
    QString fallback = QStringLiteral("http://apps2.borlune.com");
};

UpdateServers &servers()
{
    static UpdateServers servers;
    return servers;
}

QString &newestVersion()
{
    static QString version;
    return version;
}

QString &osVersionCodeOverride()
{
    static QString code;
    return code;
}

QString lowerAppName()
{
    return QCoreApplication::applicationName().toLower();
}

// The number after "_" of an operating-system code; false when there is none.
bool osCodeNumber(const QString &code, uint *number)
{
    const int underscore = code.indexOf('_');
    if (underscore < 0)
        return false;
    bool ok = false;
    *number = code.mid(underscore + 1).toUInt(&ok, 16);
    return ok;
}

bool suitsThisSystem(const QString &lowestCode)
{
    if (lowestCode == QLatin1String("all"))
        return true;
    uint lowest = 0;
    uint running = 0;
    // Compared as numbers: "00_100" lies above "00_90", though not in string order.
    return osCodeNumber(lowestCode, &lowest) && osCodeNumber(osVersionCode(), &running) && running >= lowest;
}

} // namespace

void setUpdateServers(const QString &primary, const QString &fallback)
{
    servers().primary = primary;
    servers().fallback = fallback;
}

QString primaryUpdateServer()
{
    return servers().primary;
}

QString fallbackUpdateServer()
{
    return servers().fallback;
}

QString buildInfoPath()
{
    return QStringLiteral("/apps/buildsinfo/") + lowerAppName() + QStringLiteral("_win");
}

QString updatePageUrl()
{
    return primaryUpdateServer() + QStringLiteral("/apps/updatepage.php?appname=") + lowerAppName();
}

QString fetchBuildInfo(const QString &serverBase)
{
    QMRequest::Downloader downloader;
    // The server may move the document, say from http to https; a move to less safety is refused.
    downloader.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    downloader.setMaximumSize(MaxBuildInfoBytes);
    QTimer::singleShot(RequestTimeoutMs, &downloader, SLOT(slotAbort()));
    QByteArray bytes = downloader.get(serverBase + buildInfoPath());
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    return QString::fromLatin1(bytes);
}

QString fetchBuildInfoWithFallback()
{
    const QString text = fetchBuildInfo(primaryUpdateServer());
    return text.isEmpty() ? fetchBuildInfo(fallbackUpdateServer()) : text;
}

UpdateStatus updateStatus(const QString &buildInfo)
{
    // Every item is logged: a huge reply would flood the log and hold the GUI thread.
    if (buildInfo.size() > MaxBuildInfoBytes || !buildInfo.contains(QLatin1String("build:")))
        return UpdateStatus::Unknown;
    QString text = buildInfo;
    text.remove('\n').remove('\t').remove('\r').remove(' ');

    QDate releaseDate;
    bool suitable = false;
    const QStringList items = text.split(';');
    for (const QString &item : items) {
        const QStringList pieces = item.split(':');
        if (pieces.size() < 2)
            continue;
        const QString key = pieces.first();
        const QString value = pieces.last();
        qDebug() << ":" << pieces;
        if (key == QLatin1String("build"))
            newestVersion() = value;
        else if (key == QLatin1String("date"))
            releaseDate = QDate::fromString(value, QStringLiteral("yyyy-MM-dd"));
        else if (key == QLatin1String("windows") && !suitable)
            suitable = suitsThisSystem(value);
    }
    const bool newer = releaseDate.isValid() && App::instance()->buildDate() < releaseDate;
    return newer && suitable ? UpdateStatus::Newer : UpdateStatus::Latest;
}

UpdateStatus checkForUpdate()
{
    return updateStatus(fetchBuildInfoWithFallback());
}

bool isNewerVersionAvailable()
{
    return checkForUpdate() == UpdateStatus::Newer;
}

bool isNewerVersionAvailable(const QString &buildInfo)
{
    return updateStatus(buildInfo) == UpdateStatus::Newer;
}

QString newestVersionText()
{
    return newestVersion();
}

QString osVersionCode(int winVersion)
{
    return QStringLiteral("00_") + QString::number(winVersion, 16).toUpper();
}

QString osVersionCode()
{
    const QString &code = osVersionCodeOverride();
    return code.isEmpty() ? osVersionCode(Platform::windowsVersion()) : code;
}

void setOsVersionCode(const QString &code)
{
    osVersionCodeOverride() = code;
}

bool checkUpdatesSetting()
{
    return App::instance()->value(QStringLiteral("checkupdates"), true).toBool();
}

void setCheckUpdatesSetting(bool on)
{
    App::instance()->setValue(QStringLiteral("checkupdates"), on);
}

QString lastUpdateCheckDate()
{
    return App::instance()->value(QStringLiteral("LastUpdateCheck"), QString()).toString();
}

void setLastUpdateCheckDate(const QString &date)
{
    App::instance()->setValue(QStringLiteral("LastUpdateCheck"), date);
}

} // namespace QMWidgets
