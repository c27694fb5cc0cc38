#pragma once

#include <QDate>
#include <QObject>
#include <QString>

namespace Platform { struct NativeMessage; }

namespace QMWidgets {

// Turns the system's power and session messages into signals. Made on first use, without
// parent; deleting it clears the instance, and a later instance() starts afresh.
class Os : public QObject
{
    Q_OBJECT

public:
    ~Os() override;

    static Os *instance();

    // Never consumes the message; does nothing while no instance exists.
    static bool handleNativeMessage(const Platform::NativeMessage &message);

signals:
    void atSwitchToStandBy();
    void atWakeUpFromStandBy();
    void atUserLogout();
    void atWorkspaceChanged(); // no system message leads here on Windows

private:
    Os();

    // Set between a suspend and the next wake-up, so repeated suspends report once.
    bool m_standBy = false;
};

// Shows the file selected in the system's file manager; when none can be started, opens its
// folder through the desktop's URL handler and returns what that reports.
bool revealInFileManager(const QString &path);

// Factor by which callers multiply pixel sizes.
double screenScaleFactor();

// The file name the system's loader expects of a dynamic library called baseName:
// "baseName.dll" on Windows, "libbaseName.dylib" on macOS, "libbaseName.so" elsewhere.
QString libraryFileName(const QString &baseName);

// The program's entry in the list of programs started at log-on (Platform::openRunKey).
// A write the system refuses is not reported.
bool isAutostartEnabled();
void setAutostart(bool enabled);

// A run counter's next value: 1 once the count can go no higher, so it never turns negative.
int countAfter(int count);

// The store-review request: at most once a run, three times within 366 days and, after the first
// request, at every N-th call that passes the limit (N from setStoreReviewInterval, 2 at first).
void requestStoreReview(bool force = false);
// The Rate prompt on the main widget, unless the user declined the prompts for good.
void showStoreReviewDialog();
// Reached after three requests until the last lies more than 366 days back; then the counts start afresh.
bool isStoreReviewLimitReached();
int remainingStoreReviews();
// An interval below 1 counts as 1.
void setStoreReviewInterval(const int &n);
int requestedReviewsCount();
int requestedReviewsCalls();
// Today when no request was stored; an invalid date when the stored text does not parse.
QDate lastReviewRequestDate();

} // namespace QMWidgets
