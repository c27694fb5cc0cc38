#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QDialog;
class QWidget;

namespace QMWidgets {

enum class UpdateStatus;

// What the application object opens above its own folder: About, the help slide show, the reminders, the share
// and join prompts, the update check's answer and the style-sheet editor. The folders that hold those windows fill
// it in as the program starts (css/InstallAppHandlers.cpp), so that the application object includes nothing above
// it. A handler left empty opens nothing.
struct AppHandlers
{
    enum ReminderKind { RateKind = 1, TellKind = 2, JoinKind = 4 };
    // The answers of a reminder, as its dialog gives them.
    enum ReminderAnswer { Rate = 0, Mail = 1, Later = 2, NeverAskAgain = 3, NoChoice = 4 };

    std::function<void(QWidget *parent)> showAbout;
    // The help slide show, made once; the application object shows it and keeps it.
    std::function<QDialog *(QWidget *parent, const QStringList &pages, const QString &videoUrl)> createHelp;
    std::function<bool()> shouldShowIntro;
    // The reminder of a kind on parent, run modally: its answer, or none when the parent
    // went while it ran.
    std::function<std::optional<int>(int kind, QWidget *parent)> askReminder;
    std::function<void(QWidget *parent)> showShare;
    std::function<void(QWidget *parent)> showJoin;
    std::function<void(UpdateStatus status)> showUpdateAnswer;
    // Opens one more style-sheet editor.
    std::function<void()> showCssEditor;

    // The program's one table.
    static AppHandlers &instance();
};

} // namespace QMWidgets
