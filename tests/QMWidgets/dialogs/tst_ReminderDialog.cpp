#include "QMWidgets/app/App.h"
#include "QMWidgets/dialogs/JoinReminderDialog.h"
#include "QMWidgets/dialogs/JoinWidget.h"
#include "QMWidgets/dialogs/RateAppStoreDialog.h"
#include "QMWidgets/dialogs/RateMailDialog.h"
#include "QMWidgets/dialogs/TellDialog.h"
#include "QMWidgets/dialogs/TellReminderDialog.h"
#include "ButtonLookup.h"
#include "TestApp.h"

#include <QLabel>
#include <QProcess>
#include <QPushButton>

#include <cstdio>
#include <cstring>
#include <memory>

using namespace QMWidgets;

namespace {

const char smallScreenFlag[] = "--small-screen";

std::unique_ptr<ReminderDialog> makeDialog(const QString &kind)
{
    if (kind == QLatin1String("rate"))
        return std::make_unique<RateAppStoreDialog>(nullptr);
    if (kind == QLatin1String("feedback"))
        return std::make_unique<RateMailDialog>(nullptr);
    if (kind == QLatin1String("tell"))
        return std::make_unique<TellReminderDialog>(nullptr);
    return std::make_unique<JoinReminderDialog>(nullptr);
}

QStringList visibleAnswerButtons(QWidget *dialog)
{
    QStringList texts;
    for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
        if (button->isVisible() && !button->text().isEmpty())
            texts << button->text();
    }
    texts.sort();
    return texts;
}

} // namespace

class tst_ReminderDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void buttonsAnswer_data();
    void buttonsAnswer();
    void escapeLeavesNoChoice_data();
    void escapeLeavesNoChoice();
    void faceOfEachPrompt_data();
    void faceOfEachPrompt();
    void rateTextNamesTheApplication();
    void neverButtonHiddenOnceDeclined();
    void framePromptsFocusTheirCloseButton_data();
    void framePromptsFocusTheirCloseButton();
    void smallScreenStacksTheButtons();
};

void tst_ReminderDialog::init()
{
    App::instance()->setValue("AutoReminder", true);
}

void tst_ReminderDialog::buttonsAnswer_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("answer");
    QTest::newRow("rate: rate it now") << "rate" << "&Rate It Now" << 0;
    QTest::newRow("rate: later") << "rate" << "&Later" << 2;
    QTest::newRow("rate: never") << "rate" << "&Don't ask me again" << 3;
    QTest::newRow("feedback: rate") << "feedback" << "&Rate" << 0;
    QTest::newRow("feedback: write email") << "feedback" << "&Write email" << 1;
    QTest::newRow("feedback: later") << "feedback" << "&Later" << 2;
    QTest::newRow("tell: close leaves the answer open") << "tell" << "&Close" << 4;
    // The never button of the share and follow prompts answers instead of doing nothing.
    QTest::newRow("tell: never") << "tell" << "&Don't ask me again" << 3;
    QTest::newRow("join: close leaves the answer open") << "join" << "&Close" << 4;
    QTest::newRow("join: never") << "join" << "&Don't ask me again" << 3;
}

void tst_ReminderDialog::buttonsAnswer()
{
    QFETCH(QString, kind);
    QFETCH(QString, button);
    QFETCH(int, answer);
    const auto dialog = makeDialog(kind);
    QCOMPARE(dialog->result(), 4);
    dialog->show();
    QPushButton *pressed = buttonWithText(dialog.get(), button);
    QVERIFY2(pressed && pressed->isVisible(), qPrintable(button));
    QTest::mouseClick(pressed, Qt::LeftButton);
    QVERIFY(dialog->isHidden());
    QCOMPARE(dialog->QDialog::result(), int(QDialog::Accepted));
    QCOMPARE(dialog->result(), answer);
}

void tst_ReminderDialog::escapeLeavesNoChoice_data()
{
    QTest::addColumn<QString>("kind");
    for (const char *kind : {"rate", "feedback", "tell", "join"})
        QTest::newRow(kind) << kind;
}

void tst_ReminderDialog::escapeLeavesNoChoice()
{
    QFETCH(QString, kind);
    const auto dialog = makeDialog(kind);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(dialog->isHidden());
    QCOMPARE(dialog->QDialog::result(), int(QDialog::Rejected));
    QCOMPARE(dialog->result(), 4);
}

void tst_ReminderDialog::faceOfEachPrompt_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("buttons");
    QTest::newRow("rate") << "rate" << "Rate \"Tarsel\""
                          << QStringList{"&Don't ask me again", "&Later", "&Rate It Now"};
    QTest::newRow("feedback") << "feedback" << "Feedback about \"Tarsel\""
                              << QStringList{"&Don't ask me again", "&Later", "&Rate", "&Write email"};
    QTest::newRow("tell") << "tell" << "Share" << QStringList{"&Close", "&Don't ask me again"};
    QTest::newRow("join") << "join" << "Join Us" << QStringList{"&Close", "&Don't ask me again"};
}

void tst_ReminderDialog::faceOfEachPrompt()
{
    QFETCH(QString, kind);
    QFETCH(QString, title);
    QFETCH(QStringList, buttons);
    const auto dialog = makeDialog(kind);
    dialog->show();
    QCOMPARE(dialog->windowTitle(), title);
    QCOMPARE(dialog->objectName(), QString("Dialog"));
    // Only the answer buttons carry text; the share and follow buttons are pictures.
    QCOMPARE(visibleAnswerButtons(dialog.get()), buttons);
    auto *logo = dialog->findChild<QLabel *>("LogoLabel");
    QVERIFY(logo && logo->isVisible());
    QCOMPARE(logo->size(), QSize(90, 90));
}

void tst_ReminderDialog::rateTextNamesTheApplication()
{
    RateAppStoreDialog dialog(nullptr);
    bool found = false;
    for (QLabel *label : dialog.findChildren<QLabel *>()) {
        const QString text = label->text();
        if (text.contains("Enjoying")) {
            found = true;
            QVERIFY(text.startsWith("<CENTER><H2>Enjoying \"Tarsel\" ?</H2><H3>Please rate the app"));
            QVERIFY(text.endsWith("<br></H3></CENTER>"));
        }
    }
    QVERIFY(found);
}

void tst_ReminderDialog::neverButtonHiddenOnceDeclined()
{
    App::instance()->setValue("AutoReminder", false);
    RateAppStoreDialog dialog(nullptr);
    dialog.show();
    QCOMPARE(visibleAnswerButtons(&dialog), (QStringList{"&Later", "&Rate It Now"}));
}

void tst_ReminderDialog::framePromptsFocusTheirCloseButton_data()
{
    escapeLeavesNoChoice_data();
}

void tst_ReminderDialog::framePromptsFocusTheirCloseButton()
{
    QFETCH(QString, kind);
    const auto dialog = makeDialog(kind);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    const QString expected = kind == "rate" ? "&Rate It Now" : kind == "feedback" ? "&Rate" : "&Close";
    auto *focused = qobject_cast<QPushButton *>(QApplication::focusWidget());
    QVERIFY(focused);
    QCOMPARE(focused->text(), expected);
}

// At twice the scale the offscreen desktop of 800 by 600 pixels counts as 400 by 300, a small screen;
// the scale is fixed when the application starts, so the dialogs are looked at in a run of their own.
void tst_ReminderDialog::smallScreenStacksTheButtons()
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_SCALE_FACTOR", "2");
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {smallScreenFlag});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()).trimmed(), QString("ok"));
    QCOMPARE(child.exitCode(), 0);
}

// Looks at the prompts on a small screen and prints "ok", or the first thing that is not as it should be.
static int smallScreenRun(char **argv)
{
    int argc = 1;
    App app(argc, argv, QStringLiteral("Borlune"), QStringLiteral("Tarsel"));
    app.setValue("AutoReminder", true);
    auto fail = [](const char *what) {
        std::printf("%s\n", what);
        return 1;
    };
    if (!App::isSmallScreen())
        return fail("not a small screen");

    RateAppStoreDialog rate(nullptr);
    rate.show();
    QLabel *text = nullptr;
    for (QLabel *label : rate.findChildren<QLabel *>()) {
        if (label->text().contains("Enjoying"))
            text = label;
    }
    if (!text || !text->text().startsWith("<CENTER><H3>Enjoying") || !text->text().contains("</H3><H4>Please"))
        return fail("rate text without the smaller headings");
    if (rate.findChild<QLabel *>("LogoLabel")->geometry().bottom() >= text->geometry().top())
        return fail("logo not above the text");
    // From top to bottom: Rate, Later, Never (Mail is hidden), one above the other.
    QPushButton *order[] = {buttonWithText(&rate, "&Rate It Now"), buttonWithText(&rate, "&Later"),
                            buttonWithText(&rate, "&Don't ask me again")};
    for (int i = 1; i < 3; ++i) {
        if (order[i - 1]->geometry().bottom() >= order[i]->geometry().top()
            || order[i - 1]->geometry().left() != order[i]->geometry().left())
            return fail("buttons not stacked in the order Rate, Later, Never");
    }

    TellDialog tell(nullptr);
    bool smallHeading = false;
    for (QLabel *label : tell.findChildren<QLabel *>())
        smallHeading = smallHeading || label->text().startsWith("<CENTER><H4>If you like the app");
    if (!smallHeading)
        return fail("share text without the smaller heading");
    JoinWidget join(nullptr);
    if (!join.findChild<QLabel *>()->text().startsWith("<H5>Follow us"))
        return fail("follow text without the smaller heading");
    std::printf("ok\n");
    return 0;
}

int main(int argc, char **argv)
{
    if (argc == 2 && std::strcmp(argv[1], smallScreenFlag) == 0)
        return smallScreenRun(argv);
    TestApp app(argc, argv);
    tst_ReminderDialog test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_ReminderDialog.moc"
