#include "QMWidgets/app/Os.h"

#include "QMWidgets/app/App.h"

#include "Platform/NativeMessage.h"
#include "Platform/RunKey.h"
#include "Platform/Shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <climits>
#include <QUrl>

namespace QMWidgets {

namespace {
Os *s_instance = nullptr;

// The value under which the program keeps its command line in the autostart list;
// reading and writing must use the same name, or the entry is never seen as set.
const QLatin1String autostartValueName("App");

const QLatin1String reviewsCountKey("RequestedReviewsCount");
const QLatin1String reviewsCallsKey("RequestedReviewsCalls");
const QLatin1String reviewsDateKey("RequestedReviewsLastDate");
const int maxReviewsPerWindow = 3;
const int reviewWindowDays = 366;

bool s_reviewRequestedThisRun = false;
int s_reviewInterval = 2;

QString todayText()
{
    return QDate::currentDate().toString(App::dateFormat());
}
}

Os::Os() = default;

Os::~Os()
{
    if (s_instance == this)
        s_instance = nullptr;
}

Os *Os::instance()
{
    if (!s_instance)
        s_instance = new Os;
    return s_instance;
}

bool Os::handleNativeMessage(const Platform::NativeMessage &message)
{
    Os *os = s_instance;
    if (!os)
        return false;
    using Platform::NativeMessage;
    // Each signal goes out last: a receiver may delete the object.
    if (message.message == NativeMessage::EndSession) {
        emit os->atUserLogout();
        return false;
    }
    if (message.message != NativeMessage::PowerBroadcast)
        return false;
    if (message.wParam == NativeMessage::PowerSuspend && !os->m_standBy) {
        os->m_standBy = true;
        emit os->atSwitchToStandBy();
        return false;
    }
    if (message.wParam == NativeMessage::PowerResumeAutomatic && os->m_standBy) {
        os->m_standBy = false;
        emit os->atWakeUpFromStandBy();
    }
    return false;
}

bool revealInFileManager(const QString &path)
{
    // Callers join folder and name with a separator of their own, which can leave a doubled one.
    QString selection = path;
    selection.replace(QLatin1String("//"), QLatin1String("/"));
    selection = QDir::toNativeSeparators(selection);

    const int result = Platform::Shell::execute(QStringLiteral("open"), QStringLiteral("explorer.exe"),
                                                QStringLiteral("/e,/select,\"%1\"").arg(selection),
                                                Platform::Shell::ShowNormal);
    if (Platform::Shell::succeeded(result))
        return true;

    // A local-file URL, not "file://" + the text: a '#' or '?' in a folder name would
    // otherwise end the path and open the wrong folder.
    const QString folder = QFileInfo(path).absoluteDir().absolutePath();
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

double screenScaleFactor()
{
    return 1.0;
}

QString libraryFileName(const QString &baseName)
{
#if defined(Q_OS_WIN)
    return baseName + QLatin1String(".dll");
#elif defined(Q_OS_MACOS)
    return QLatin1String("lib") + baseName + QLatin1String(".dylib");
#else
    return QLatin1String("lib") + baseName + QLatin1String(".so");
#endif
}

bool isAutostartEnabled()
{
    const auto runKey = Platform::openRunKey();
    return !runKey->value(autostartValueName, QString()).toString().isEmpty();
}

void setAutostart(bool enabled)
{
    const auto runKey = Platform::openRunKey();
    if (enabled)
        runKey->setValue(autostartValueName, QCoreApplication::arguments().value(0));
    else
        runKey->remove(autostartValueName);
}

int countAfter(int count)
{
    return count == INT_MAX || count + 1 < 0 ? 1 : count + 1;
}

void requestStoreReview(bool force)
{
    if (s_reviewRequestedThisRun)
        return;
    s_reviewRequestedThisRun = true;
    if (isStoreReviewLimitReached())
        return;

    App *app = App::instance();
    const int count = requestedReviewsCount();
    const int calls = requestedReviewsCalls();
    if (count == 0 || force || calls % qMax(1, s_reviewInterval) == 0) {
        showStoreReviewDialog();
        app->setValue(reviewsCountKey, count + 1);
        app->setValue(reviewsDateKey, todayText());
    }
    app->setValue(reviewsCallsKey, countAfter(calls));
}

bool isStoreReviewLimitReached()
{
    const int days = lastReviewRequestDate().daysTo(QDate::currentDate());
    if (days > reviewWindowDays) {
        App *app = App::instance();
        app->setValue(reviewsCallsKey, 0);
        app->setValue(reviewsCountKey, 0);
        app->setValue(reviewsDateKey, todayText());
        return false;
    }
    // Within the window, including its last day, only the number of requests counts.
    return requestedReviewsCount() >= maxReviewsPerWindow;
}

int remainingStoreReviews()
{
    return isStoreReviewLimitReached() ? 0 : maxReviewsPerWindow - requestedReviewsCount();
}

void setStoreReviewInterval(const int &n)
{
    s_reviewInterval = n;
}

int requestedReviewsCount()
{
    return App::instance()->value(reviewsCountKey, 0).toInt();
}

int requestedReviewsCalls()
{
    return App::instance()->value(reviewsCallsKey, 0).toInt();
}

QDate lastReviewRequestDate()
{
    const QString text = App::instance()->value(reviewsDateKey, QString()).toString();
    return text.isEmpty() ? QDate::currentDate() : QDate::fromString(text, App::dateFormat());
}

} // namespace QMWidgets
