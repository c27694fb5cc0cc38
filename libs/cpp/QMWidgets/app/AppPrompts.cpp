// The application object's engagement prompts: the reminders, the share and join prompts, help, About and the store
// review. The dialogs they open lie above this folder and are reached through AppHandlers.
#include "QMWidgets/app/App.h"

#include "QMWidgets/app/AppHandlers.h"
#include "QMWidgets/app/Os.h"

#include <QDialog>
#include <QRandomGenerator>
#include <QTimer>

namespace QMWidgets {

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

int App::reminderKind() const
{
    return m_reminderKind;
}

void App::setReminderKind(int kind)
{
    m_reminderKind = kind;
}

namespace {

enum ReminderKind {
    RateKind = AppHandlers::RateKind,
    TellKind = AppHandlers::TellKind,
    JoinKind = AppHandlers::JoinKind,
    KindByEdition = 8
};

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

// The reminder of the kind on parent; no answer when nothing can ask.
static std::optional<int> askReminder(int kind, QWidget *parent)
{
    const AppHandlers &handlers = AppHandlers::instance();
    return handlers.askReminder ? handlers.askReminder(kind, parent) : std::nullopt;
}

void App::actOnReminderAnswer(int answer)
{
    switch (answer) {
    case AppHandlers::Rate:
        slotRateApp();
        break;
    case AppHandlers::Mail:
        slotContactUs();
        break;
    case AppHandlers::NeverAskAgain:
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
        const int kind = m_reminderKind == RateKind || m_reminderKind == TellKind ? m_reminderKind : JoinKind;
        // The main widget may go while the prompt runs: no answer then, and the quit still counts.
        if (const std::optional<int> answer = askReminder(kind, parent))
            actOnReminderAnswer(*answer);
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
    if (const std::optional<int> answer = askReminder(RateKind, mainWidget()))
        actOnReminderAnswer(*answer);
}

void App::slotShareApp()
{
    if (const auto &showShare = AppHandlers::instance().showShare)
        showShare(QApplication::activeWindow());
}

void App::slotJoin()
{
    if (const auto &showJoin = AppHandlers::instance().showJoin)
        showJoin(QApplication::activeWindow());
}

QDialog *App::helpDialog() const
{
    return m_helpDialog.data();
}

void App::slotHelp()
{
    if (!m_helpDialog) {
        const auto &createHelp = AppHandlers::instance().createHelp;
        if (!createHelp)
            return;
        m_helpDialog = createHelp(mainWidget(), m_helpPages, m_helpVideoUrl);
        if (!m_helpDialog)
            return;
    }
    m_helpDialog->raise();
    m_helpDialog->activateWindow();
    m_helpDialog->show();
}

void App::scheduleIntroAtStart()
{
    const auto &shouldShowIntro = AppHandlers::instance().shouldShowIntro;
    if (shouldShowIntro && shouldShowIntro())
        QTimer::singleShot(500, instance(), SLOT(slotHelp()));
}

void App::slotAbout()
{
    if (const auto &showAbout = AppHandlers::instance().showAbout)
        showAbout(mainWidget());
}

void App::slotShowCssEditor()
{
    if (const auto &showCssEditor = AppHandlers::instance().showCssEditor)
        showCssEditor();
}

void App::showUpdateAnswer(UpdateStatus status)
{
    if (const auto &showUpdateAnswer = AppHandlers::instance().showUpdateAnswer)
        showUpdateAnswer(status);
}

void showStoreReviewDialog()
{
    App *app = App::instance();
    if (!app->value(QStringLiteral("AutoReminder"), true).toBool())
        return;
    // No answer when the main widget went while the prompt ran: nothing is opened and nothing stored.
    const std::optional<int> answer = askReminder(RateKind, app->mainWidget());
    if (!answer)
        return;
    if (answer == AppHandlers::Rate) {
        app->slotRateApp();
        app->setValue(QStringLiteral("AutoReminder"), false);
    } else if (answer == AppHandlers::NeverAskAgain) {
        app->setValue(QStringLiteral("AutoReminder"), false);
    }
}

} // namespace QMWidgets
