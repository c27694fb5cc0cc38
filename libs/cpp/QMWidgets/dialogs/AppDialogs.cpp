// The application object's slots and functions that open dialogs: the reminders, the share and join prompts,
// help, About, the store review and the update check's answer. They are declared with the application object's
// core, which knows no dialog, and defined here with the dialogs they open, so that includes only point down.
#include "QMWidgets/app/App.h"

#include "QMWidgets/app/UpdateCheck.h"
#include "QMWidgets/dialogs/AboutDialog.h"
#include "QMWidgets/dialogs/AppUpdateDialog.h"
#include "QMWidgets/dialogs/HelpDialog.h"
#include "QMWidgets/dialogs/JoinDialog.h"
#include "QMWidgets/dialogs/JoinReminderDialog.h"
#include "QMWidgets/app/ModalRun.h"
#include "QMWidgets/app/Os.h"
#include "QMWidgets/dialogs/RateAppStoreDialog.h"
#include "QMWidgets/dialogs/TellDialog.h"
#include "QMWidgets/dialogs/TellReminderDialog.h"
#include "QMWidgets/style/DevicePicture.h"

#include <QCoreApplication>
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
        // The main widget may go while the prompt runs: no answer then, and the quit still counts.
        if (const std::optional<int> answer = ReminderStateDialog::ask(dialog))
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
    if (const std::optional<int> answer = ReminderStateDialog::ask(new RateAppStoreDialog(mainWidget())))
        actOnReminderAnswer(*answer);
}

void App::slotShareApp()
{
    runModal(new TellDialog(QApplication::activeWindow()));
}

void App::slotJoin()
{
    runModal(new JoinDialog(QApplication::activeWindow()));
}

HelpDialog *App::helpDialog() const
{
    return static_cast<HelpDialog *>(m_helpDialog.data());
}

void App::slotHelp()
{
    if (!m_helpDialog) {
        auto *help = new HelpDialog(mainWidget());
        for (const QString &page : qAsConst(m_helpPages))
            help->addSlide(page);
        if (!m_helpVideoUrl.isEmpty())
            help->setVideoLink(m_helpVideoUrl);
        m_helpDialog = help;
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

void App::slotAbout()
{
    runModal(new AboutDialog(mainWidget()));
}

void showStoreReviewDialog()
{
    App *app = App::instance();
    if (!app->value(QStringLiteral("AutoReminder"), true).toBool())
        return;
    // No answer when the main widget went while the prompt ran: nothing is opened and nothing stored.
    const std::optional<int> answer = ReminderStateDialog::ask(new RateAppStoreDialog(app->mainWidget()));
    if (!answer)
        return;
    if (answer == ReminderStateDialog::Rate) {
        app->slotRateApp();
        app->setValue(QStringLiteral("AutoReminder"), false);
    } else if (answer == ReminderStateDialog::NeverAskAgain) {
        app->setValue(QStringLiteral("AutoReminder"), false);
    }
}

AppUpdateDialog *createUpdateDialog(UpdateStatus status)
{
    QString text;
    QString picture;
    switch (status) {
    case UpdateStatus::Newer:
        // The server's text is no markup of ours.
        text = QObject::tr("<CENTER><H2>The newer version ") + newestVersionText().toHtmlEscaped()
               + QObject::tr(" of ") + QCoreApplication::applicationName()
               + QObject::tr(" is available.<br>Get the newest version?</H2></CENTER>");
        picture = QStringLiteral(":/update_available.png");
        break;
    case UpdateStatus::Latest:
        text = QObject::tr(
            "<CENTER><H2>You are using the latest version available.<br>Go to the app web page anyway?</H2></CENTER>");
        picture = QStringLiteral(":/update_not_available.png");
        break;
    case UpdateStatus::Unknown:
        text = QObject::tr("<CENTER><H2>The update information could not be retrieved.<br>Go to the app web page "
                           "anyway?</H2></CENTER>");
        // Not the tick: nothing says this version is the latest.
        picture = QStringLiteral(":/update_unknown.png");
        break;
    }
    auto *dialog = new AppUpdateDialog(nullptr);
    dialog->setText(text);
    dialog->setPixmap(devicePicture(picture));
    return dialog;
}

void showUpdateDialog(UpdateStatus status)
{
    runModal(createUpdateDialog(status));
}

void showUpdateDialog(bool newer)
{
    showUpdateDialog(newer ? UpdateStatus::Newer : UpdateStatus::Latest);
}

} // namespace QMWidgets
