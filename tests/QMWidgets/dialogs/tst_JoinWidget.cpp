#include "QMWidgets/app/App.h"
#include "QMWidgets/dialogs/JoinDialog.h"
#include "QMWidgets/dialogs/JoinWidget.h"
#include "QMWidgets/app/MakerLinks.h"
#include "QMWidgets/dialogs/MMessageBox.h"
#include "ModalAnswer.h"
#include "ButtonLookup.h"
#include "TestApp.h"
#include "LinkCatcher.h"

#include <QLabel>
#include <QPushButton>

using namespace QMWidgets;

class tst_JoinWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void buttonsByLanguage_data();
    void buttonsByLanguage();
    void buttonsOpenTheMakersPages_data();
    void buttonsOpenTheMakersPages();
    void facebookOpensOnlyAfterTheBoxCloses();
    void dialogFramesTheButtons();
};

void tst_JoinWidget::initTestCase()
{
    App::instance()->language(); // settles the language before the tests set their own
}

void tst_JoinWidget::cleanup()
{
    App::instance()->setLanguage("en");
}

void tst_JoinWidget::buttonsByLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("buttons");
    const QStringList usual{"YouTubeJoinButton", "FaceBookJoinButton", "TwitterJoinButton"};
    QTest::newRow("english") << "en" << usual;
    QTest::newRow("german") << "de" << usual;
    QTest::newRow("russian adds vkontakte") << "ru" << usual + QStringList{"VKontakteJoinButton"};
}

void tst_JoinWidget::buttonsByLanguage()
{
    QFETCH(QString, language);
    QFETCH(QStringList, buttons);
    App::instance()->setLanguage(language);
    JoinWidget frame(nullptr);
    frame.show();
    QCOMPARE(visibleButtonNames(&frame), buttons);
    auto *label = frame.findChild<QLabel *>();
    QVERIFY(label);
    QVERIFY(label->text().startsWith("<H3>Follow us and stay informed<br>about our</H3><H3>   1. Important News<br>"));
}

void tst_JoinWidget::buttonsOpenTheMakersPages_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("link");
    QTest::newRow("youtube, redirected")
        << "YouTubeJoinButton" << MakerLinks::joinRedirect() + MakerLinks::youTubeChannel() + "?sub_confirmation=1";
    QTest::newRow("twitter, redirected") << "TwitterJoinButton" << MakerLinks::joinRedirect() + MakerLinks::twitterPage();
    QTest::newRow("vkontakte, as it is") << "VKontakteJoinButton" << MakerLinks::vkontaktePage();
}

void tst_JoinWidget::buttonsOpenTheMakersPages()
{
    QFETCH(QString, button);
    QFETCH(QString, link);
    App::instance()->setLanguage("ru");
    JoinWidget frame(nullptr);
    frame.show();
    LinkCatcher catcher({"http", "https", "mailto", "ms-windows-store"});
    QTest::mouseClick(frame.findChild<QPushButton *>(button), Qt::LeftButton);
    QCOMPARE(catcher.linkTexts(), QStringList{link});
}

void tst_JoinWidget::facebookOpensOnlyAfterTheBoxCloses()
{
    QWidget main;
    App::instance()->setMainWidget(&main);
    JoinWidget frame(nullptr);
    frame.show();
    LinkCatcher catcher({"http", "https", "mailto", "ms-windows-store"});
    QObject context;
    QStringList openedWhileBoxShown{"not asked"};
    QString title;
    QWidget *parent = nullptr;
    answerNextModal(&context, [&](QWidget *modal) {
        openedWhileBoxShown = catcher.linkTexts();
        title = modal->windowTitle();
        parent = modal->parentWidget();
        auto *box = qobject_cast<MMessageBox *>(modal);
        QVERIFY(box);
        box->slotOk();
    });
    QTest::mouseClick(frame.findChild<QPushButton *>("FaceBookJoinButton"), Qt::LeftButton);
    QCOMPARE(title, QString("Information"));
    QCOMPARE(parent, &main);
    QCOMPARE(openedWhileBoxShown, QStringList());
    QCOMPARE(catcher.linkTexts(), QStringList{MakerLinks::joinRedirect() + MakerLinks::facebookPage()});
}

void tst_JoinWidget::dialogFramesTheButtons()
{
    JoinDialog dialog(nullptr);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QString("Join us"));
    QCOMPARE(dialog.objectName(), QString("Dialog"));
    QVERIFY(dialog.findChild<JoinWidget *>());
    QPushButton *close = nullptr;
    for (QPushButton *button : dialog.findChildren<QPushButton *>()) {
        if (button->text() == "&Close")
            close = button;
    }
    QVERIFY(close);
    QTest::mouseClick(close, Qt::LeftButton);
    QVERIFY(dialog.isHidden());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

TARSEL_APP_TEST_MAIN(tst_JoinWidget)
#include "tst_JoinWidget.moc"
