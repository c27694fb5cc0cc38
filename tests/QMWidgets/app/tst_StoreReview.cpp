#include "QMWidgets/app/App.h"
#include "QMWidgets/app/Os.h"
#include "ButtonLookup.h"
#include "ModalAnswer.h"
#include "TestApp.h"
#include "LinkCatcher.h"

#include <QProcess>
#include <QPushButton>
#include <QSettings>

#include <climits>
#include <cstdio>
#include <cstring>

using namespace QMWidgets;

namespace {

const char childFlag[] = "--review-run";

// One run of a program that asks for a store review: a process of its own on the test's home.
// Arguments: force (0 or 1), interval, the text of the button that answers a prompt, the number of requests.
int reviewRun(int argc, char **argv)
{
    int appArgc = 1;
    App app(appArgc, argv, QStringLiteral("Borlune"), QStringLiteral("Tarsel"));
    if (argc < 6)
        return 2;
    const bool force = std::strcmp(argv[2], "1") == 0;
    setStoreReviewInterval(std::atoi(argv[3]));
    const QString answer = QString::fromUtf8(argv[4]);
    const int requests = std::atoi(argv[5]);

    LinkCatcher catcher({"http", "https", "mailto", "ms-windows-store"});
    int prompts = 0;
    QObject context;
    std::function<void(QWidget *)> answerPrompt = [&](QWidget *modal) {
        ++prompts;
        if (QPushButton *button = buttonWithText(modal, answer))
            button->click();
        answerNextModal(&context, answerPrompt);
    };
    answerNextModal(&context, answerPrompt);
    for (int i = 0; i < requests; ++i)
        requestStoreReview(force);
    std::printf("prompts=%d\n", prompts);
    for (const QString &link : catcher.linkTexts())
        std::printf("link=%s\n", qPrintable(link));
    return 0;
}

struct Run
{
    int prompts = -1;
    QStringList links;
};

} // namespace

class tst_StoreReview : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void countAfter_data();
    void countAfter();
    void limit_data();
    void limit();
    void requestsOverSeveralRuns();
    void limitResetsAfterAYear();
    void declinedPromptsStillCount();
    void rateAnswerOpensTheRatePage();
    void intervalBelowOneCountsAsOne();

private:
    Run run(bool force, int interval, const QString &answer = "&Later", int requests = 1);
    int stored(const QString &key);
    void setDaysBack(int days);

    App *m_app = App::instance();
};

void tst_StoreReview::init()
{
    for (const char *key : {"RequestedReviewsCount", "RequestedReviewsCalls", "RequestedReviewsLastDate"})
        m_app->settings()->remove(QStringLiteral("Tarsel/") + key);
    m_app->setValue("AutoReminder", true);
}

Run tst_StoreReview::run(bool force, int interval, const QString &answer, int requests)
{
    Run result;
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {childFlag, force ? "1" : "0", QString::number(interval), answer, QString::number(requests)});
    if (!child.waitForFinished(60000) || child.exitCode() != 0) {
        qWarning("review run failed: %s", qPrintable(child.errorString()));
        return result;
    }
    for (const QString &line : QString::fromLocal8Bit(child.readAllStandardOutput()).split('\n')) {
        if (line.startsWith("prompts="))
            result.prompts = line.mid(8).toInt();
        else if (line.startsWith("link="))
            result.links << line.mid(5);
    }
    m_app->settings()->sync();
    return result;
}

int tst_StoreReview::stored(const QString &key)
{
    return m_app->value(key, -1).toInt();
}

void tst_StoreReview::setDaysBack(int days)
{
    m_app->setValue("RequestedReviewsLastDate", QDate::currentDate().addDays(-days).toString("yyyy-MM-dd"));
}

void tst_StoreReview::countAfter_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("next");
    QTest::newRow("usual") << 5 << 6;
    QTest::newRow("from zero") << 0 << 1;
    QTest::newRow("largest starts again at 1") << INT_MAX << 1;
    QTest::newRow("negative starts again at 1") << -5 << 1;
}

void tst_StoreReview::countAfter()
{
    QFETCH(int, count);
    QFETCH(int, next);
    QCOMPARE(QMWidgets::countAfter(count), next);
}

void tst_StoreReview::limit_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("date"); // days back, or the stored text itself
    QTest::addColumn<bool>("reached");
    QTest::addColumn<int>("remaining");
    QTest::addColumn<int>("countAfter");
    QTest::newRow("fresh") << 0 << "" << false << 3 << 0;
    QTest::newRow("two within the year") << 2 << "365" << false << 1 << 2;
    // The last day of the window is still in it, for three requests and for fewer.
    QTest::newRow("two, last day of the window") << 2 << "366" << false << 1 << 2;
    QTest::newRow("three, last day of the window") << 3 << "366" << true << 0 << 3;
    QTest::newRow("three today") << 3 << "0" << true << 0 << 3;
    QTest::newRow("three, date in the future") << 3 << "-5" << true << 0 << 3;
    QTest::newRow("two, date in the future") << 2 << "-5" << false << 1 << 2;
    QTest::newRow("three, window over: reset") << 3 << "367" << false << 3 << 0;
    QTest::newRow("unreadable date counts as today") << 3 << "garbage" << true << 0 << 3;
}

void tst_StoreReview::limit()
{
    QFETCH(int, count);
    QFETCH(QString, date);
    QFETCH(bool, reached);
    QFETCH(int, remaining);
    QFETCH(int, countAfter);
    m_app->setValue("RequestedReviewsCount", count);
    m_app->setValue("RequestedReviewsCalls", 7);
    bool isNumber = false;
    const int daysBack = date.toInt(&isNumber);
    if (isNumber)
        setDaysBack(daysBack);
    else if (!date.isEmpty())
        m_app->setValue("RequestedReviewsLastDate", date);

    QCOMPARE(isStoreReviewLimitReached(), reached);
    QCOMPARE(remainingStoreReviews(), remaining);
    QCOMPARE(requestedReviewsCount(), countAfter);
    const bool reset = countAfter != count;
    QCOMPARE(requestedReviewsCalls(), reset ? 0 : 7);
    if (reset || date.isEmpty())
        QCOMPARE(lastReviewRequestDate(), QDate::currentDate());
}

void tst_StoreReview::requestsOverSeveralRuns()
{
    // First run: no request yet, so the prompt comes; a second request in the same run does nothing.
    QCOMPARE(run(false, 2, "&Later", 2).prompts, 1);
    QCOMPARE(stored("RequestedReviewsCount"), 1);
    QCOMPARE(stored("RequestedReviewsCalls"), 1);
    QCOMPARE(lastReviewRequestDate(), QDate::currentDate());

    QCOMPARE(run(false, 2).prompts, 0); // 1 % 2
    QCOMPARE(stored("RequestedReviewsCount"), 1);
    QCOMPARE(stored("RequestedReviewsCalls"), 2);
    QCOMPARE(run(false, 2).prompts, 1); // 2 % 2
    QCOMPARE(stored("RequestedReviewsCount"), 2);
    QCOMPARE(stored("RequestedReviewsCalls"), 3);
    QCOMPARE(run(true, 2).prompts, 1); // forced past the interval
    QCOMPARE(stored("RequestedReviewsCount"), 3);
    QCOMPARE(stored("RequestedReviewsCalls"), 4);
    QCOMPARE(remainingStoreReviews(), 0);

    // Not even forced past the limit, and the calls stop counting.
    QCOMPARE(run(true, 2).prompts, 0);
    QCOMPARE(stored("RequestedReviewsCount"), 3);
    QCOMPARE(stored("RequestedReviewsCalls"), 4);
}

void tst_StoreReview::limitResetsAfterAYear()
{
    m_app->setValue("RequestedReviewsCount", 3);
    m_app->setValue("RequestedReviewsCalls", 9);
    setDaysBack(367);
    QCOMPARE(run(false, 2).prompts, 1);
    QCOMPARE(stored("RequestedReviewsCount"), 1);
    QCOMPARE(stored("RequestedReviewsCalls"), 1);
    QCOMPARE(lastReviewRequestDate(), QDate::currentDate());
}

void tst_StoreReview::declinedPromptsStillCount()
{
    m_app->setValue("AutoReminder", false);
    QCOMPARE(run(false, 2).prompts, 0);
    QCOMPARE(stored("RequestedReviewsCount"), 1);
    QCOMPARE(stored("RequestedReviewsCalls"), 1);
    QCOMPARE(lastReviewRequestDate(), QDate::currentDate());

    // A count of calls that can go no higher starts again at 1.
    m_app->setValue("AutoReminder", true);
    m_app->setValue("RequestedReviewsCalls", INT_MAX);
    QCOMPARE(run(false, 2).prompts, 0);
    QCOMPARE(stored("RequestedReviewsCalls"), 1);
}

void tst_StoreReview::rateAnswerOpensTheRatePage()
{
    const Run rated = run(false, 2, "&Rate It Now");
    QCOMPARE(rated.prompts, 1);
    QCOMPARE(rated.links, QStringList{"https://apps.borlune.com/rate.php?appname=tarsel"});
    QVERIFY(!m_app->value("AutoReminder", true).toBool());

    init();
    const Run declined = run(false, 2, "&Don't ask me again");
    QCOMPARE(declined.prompts, 1);
    QCOMPARE(declined.links, QStringList());
    QVERIFY(!m_app->value("AutoReminder", true).toBool());
}

void tst_StoreReview::intervalBelowOneCountsAsOne()
{
    m_app->setValue("RequestedReviewsCount", 1);
    m_app->setValue("RequestedReviewsCalls", 1);
    QCOMPARE(run(false, 0).prompts, 1);
    QCOMPARE(stored("RequestedReviewsCount"), 2);
}

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], childFlag) == 0)
        return reviewRun(argc, argv);
    TestApp app(argc, argv);
    tst_StoreReview test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_StoreReview.moc"
