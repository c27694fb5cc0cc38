#include "QMWidgets/app/App.h"
#include "QMWidgets/dialogs/LoginAdviceDialog.h"
#include "ButtonLookup.h"
#include "LinkCatcher.h"
#include "ModalAnswer.h"
#include "PaintedText.h"
#include "WidgetPaint.h"
#include "resources/Resources.h"
#include "TestApp.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <functional>

using QMWidgets::App;
using QMWidgets::LoginAdviceDialog;

using Answer = std::function<void(QWidget *)>;
Q_DECLARE_METATYPE(Answer)

namespace {

Answer clickButton(const QString &text)
{
    return [text](QWidget *modal) {
        QPushButton *button = buttonWithText(modal, text);
        QVERIFY2(button && button->isVisible(), qPrintable(text));
        QTest::mouseClick(button, Qt::LeftButton);
    };
}

Answer pressEscape()
{
    return [](QWidget *modal) {
        QApplication::setActiveWindow(modal);
        QTest::keyClick(modal, Qt::Key_Escape);
    };
}

// Runs the dialog modally, answering it from inside its loop as a user would. An answer that does not
// end the run gives -1 after a few seconds instead of leaving the test waiting.
int execAnswered(LoginAdviceDialog &dialog, const Answer &answer)
{
    QObject context;
    bool answered = false;
    answerNextModal(&context, [&](QWidget *modal) {
        answered = modal == &dialog;
        answer(modal);
    });
    bool stuck = false;
    QTimer::singleShot(5000, &context, [&] {
        stuck = true;
        dialog.accept();
    });
    const int result = dialog.exec();
    if (!answered)
        qWarning("the dialog was not the modal widget answered");
    return answered && !stuck ? result : -1;
}

const QString accountTemplate = QStringLiteral("https://www.borlune.com/%1account/");

} // namespace

class tst_LoginAdviceDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void showsMessageTitleAndButtons();
    void answers_data();
    void answers();
    void escapeKeepsAnEarlierLoginChoice();
    void whiteTextsStandOnADarkFrame();
};

void tst_LoginAdviceDialog::initTestCase()
{
    App::instance()->language(); // settles the language before the tests set their own
}

void tst_LoginAdviceDialog::cleanup()
{
    App::instance()->setLanguage("en");
    App::instance()->setAccountPageUrlTemplate(QString());
}

void tst_LoginAdviceDialog::showsMessageTitleAndButtons()
{
    LoginAdviceDialog dialog(nullptr);
    dialog.setText("Sign in to keep your scripts");
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QString("Tarsel Login Advice"));
    auto *title = dialog.findChild<QLabel *>("TopWidgetTitle");
    QVERIFY(title);
    QCOMPARE(title->text(), QString("Tarsel Login Advice"));
    QCOMPARE(visibleButtonNames(title), QStringList{"TopWidgetClose"});

    bool messageShown = false;
    for (QLabel *label : dialog.findChildren<QLabel *>())
        messageShown = messageShown || (label->isVisible() && label->text() == "Sign in to keep your scripts");
    QVERIFY(messageShown);

    QPushButton *login = buttonWithText(&dialog, "&Login");
    QPushButton *registration = buttonWithText(&dialog, "&Registration");
    QPushButton *cancel = buttonWithText(&dialog, "&Cancel");
    QVERIFY(login && registration && cancel);
    QVERIFY(login->x() < registration->x());
    QVERIFY(registration->x() < cancel->x());
    QCOMPARE(login->objectName(), QString("PushButton"));
}

void tst_LoginAdviceDialog::answers_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("pageTemplate");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("loginChosen");
    QTest::addColumn<QStringList>("links");
    QTest::newRow("login") << clickButton("&Login") << "en" << accountTemplate << 1 << true << QStringList();
    QTest::newRow("registration, german page")
        << clickButton("&Registration") << "de" << accountTemplate << 1 << false
        << QStringList{"https://www.borlune.com/de/account/"};
    QTest::newRow("registration, english page")
        << clickButton("&Registration") << "en" << accountTemplate << 1 << false
        << QStringList{"https://www.borlune.com/account/"};
    QTest::newRow("registration without an account page opens nothing")
        << clickButton("&Registration") << "en" << QString() << 1 << false << QStringList();
    QTest::newRow("cancel") << clickButton("&Cancel") << "en" << accountTemplate << 0 << false << QStringList();
    QTest::newRow("escape") << pressEscape() << "en" << accountTemplate << 0 << false << QStringList();
    QTest::newRow("title bar close") << Answer([](QWidget *modal) {
        QPushButton *close = modal->findChild<QPushButton *>("TopWidgetClose");
        QVERIFY(close);
        QTest::mouseClick(close, Qt::LeftButton);
    }) << "en" << accountTemplate << 0 << false << QStringList();
    // What the window manager does on Alt+F4: the caller must not be left waiting.
    QTest::newRow("window manager close") << Answer([](QWidget *modal) { modal->close(); }) << "en"
                                          << accountTemplate << 0 << false << QStringList();
}

void tst_LoginAdviceDialog::answers()
{
    QFETCH(Answer, answer);
    QFETCH(QString, language);
    QFETCH(QString, pageTemplate);
    QFETCH(int, result);
    QFETCH(bool, loginChosen);
    QFETCH(QStringList, links);
    App::instance()->setLanguage(language);
    App::instance()->setAccountPageUrlTemplate(pageTemplate);
    LinkCatcher catcher({"http", "https", "mailto"});
    LoginAdviceDialog dialog(nullptr);
    QCOMPARE(execAnswered(dialog, answer), result);
    QCOMPARE(dialog.isLoginChosen(), loginChosen);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(catcher.linkTexts(), links);
}

void tst_LoginAdviceDialog::escapeKeepsAnEarlierLoginChoice()
{
    LoginAdviceDialog dialog(nullptr);
    QCOMPARE(execAnswered(dialog, clickButton("&Login")), 1);
    QCOMPARE(execAnswered(dialog, pressEscape()), 0);
    QVERIFY(dialog.isLoginChosen());
}

// The style sheet writes labels in white: the frame behind the title and the message must be dark. It is probed
// beside each text, on its line.
void tst_LoginAdviceDialog::whiteTextsStandOnADarkFrame()
{
    Resources::init();
    LoginAdviceDialog dialog(nullptr);
    dialog.setStyleSheet(Resources::styleSheet());
    dialog.setText("Sign in to keep your scripts");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QList<PaintedText> texts = paintedTexts(dialog);
    const QImage image = paintWidget(dialog).convertToFormat(QImage::Format_ARGB32);
    for (const QString &text : {QString("Login Advice"), QString("Sign in to keep")}) {
        const QRectF box = paintedBox(texts, text);
        QVERIFY2(!box.isNull(), qPrintable(text));
        const QPointF beside(box.right() + 6, box.center().y());
        const QRgb frame = image.pixel((beside * image.devicePixelRatio()).toPoint());
        QVERIFY2(qAlpha(frame) == 255 && qGray(frame) < 100, qPrintable(text + ": " + describePixel(frame)));
    }
}

TARSEL_APP_TEST_MAIN(tst_LoginAdviceDialog)
#include "tst_LoginAdviceDialog.moc"
