#include "QMWidgets/dialogs/AppDialogHandlers.h"

#include "QMWidgets/app/AppHandlers.h"
#include "QMWidgets/app/ModalRun.h"
#include "QMWidgets/app/UpdateCheck.h"
#include "QMWidgets/dialogs/AboutDialog.h"
#include "QMWidgets/dialogs/AppUpdateDialog.h"
#include "QMWidgets/dialogs/HelpDialog.h"
#include "QMWidgets/dialogs/JoinDialog.h"
#include "QMWidgets/dialogs/JoinReminderDialog.h"
#include "QMWidgets/dialogs/RateAppStoreDialog.h"
#include "QMWidgets/dialogs/TellDialog.h"
#include "QMWidgets/dialogs/TellReminderDialog.h"
#include "QMWidgets/style/DevicePicture.h"

#include <QCoreApplication>

namespace QMWidgets {

static_assert(int(AppHandlers::Rate) == ReminderStateDialog::Rate && int(AppHandlers::Mail) == ReminderStateDialog::Mail
                  && int(AppHandlers::Later) == ReminderStateDialog::Later
                  && int(AppHandlers::NeverAskAgain) == ReminderStateDialog::NeverAskAgain
                  && int(AppHandlers::NoChoice) == ReminderStateDialog::NoChoice,
              "the application object reads the reminders' answers as the dialogs give them");

void fillDialogHandlers(AppHandlers &handlers)
{
    handlers.showAbout = [](QWidget *parent) { runModal(new AboutDialog(parent)); };
    handlers.createHelp = [](QWidget *parent, const QStringList &pages, const QString &videoUrl) -> QDialog * {
        auto *help = new HelpDialog(parent);
        for (const QString &page : pages)
            help->addSlide(page);
        if (!videoUrl.isEmpty())
            help->setVideoLink(videoUrl);
        return help;
    };
    handlers.shouldShowIntro = [] { return HelpDialog::shouldShowIntro(); };
    handlers.askReminder = [](int kind, QWidget *parent) {
        ReminderDialog *dialog = nullptr;
        if (kind == AppHandlers::RateKind)
            dialog = new RateAppStoreDialog(parent);
        else if (kind == AppHandlers::TellKind)
            dialog = new TellReminderDialog(parent);
        else
            dialog = new JoinReminderDialog(parent);
        return ReminderStateDialog::ask(dialog);
    };
    handlers.showShare = [](QWidget *parent) { runModal(new TellDialog(parent)); };
    handlers.showJoin = [](QWidget *parent) { runModal(new JoinDialog(parent)); };
    handlers.showUpdateAnswer = [](UpdateStatus status) { showUpdateDialog(status); };
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
