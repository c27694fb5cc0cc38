#include "QMWidgets/app/App.h"
#include "QMWidgets/app/MakerLinks.h"
#include "QMWidgets/dialogs/TellDialog.h"
#include "QMWidgets/dialogs/TellWidget.h"
#include "ButtonLookup.h"
#include "TestApp.h"
#include "LinkCatcher.h"

#include <QLabel>
#include <QPushButton>

using namespace QMWidgets;

class tst_TellWidget : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void withoutShareLinksOnlyMailShows();
    void buttonsOfTheShareFrame();
    void buttonsOpenRedirectedShareLinks_data();
    void buttonsOpenRedirectedShareLinks();
    void vkontakteOpensItsLinkAsItIs();
    void mailButtonWritesToAFriend();
    void dialogFramesTheButtons();

private:
    void clickNamed(QWidget *frame, const QString &name);
};

void tst_TellWidget::init()
{
    App *app = App::instance();
    app->setFacebookShareUrl(QString());
    app->setTwitterShareUrl(QString());
    app->setVKontakteShareUrl(QString());
    app->setAppPageUrl(QString());
}

void tst_TellWidget::clickNamed(QWidget *frame, const QString &name)
{
    auto *button = frame->findChild<QPushButton *>(name);
    QVERIFY2(button, qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton);
}

void tst_TellWidget::withoutShareLinksOnlyMailShows()
{
    TellWidget frame(nullptr);
    frame.show();
    QCOMPARE(visibleButtonNames(&frame), QStringList{"EmailShareButton"});
}

void tst_TellWidget::buttonsOfTheShareFrame()
{
    App::instance()->setShareLinks(QString());
    TellWidget frame(nullptr);
    frame.show();
    QCOMPARE(visibleButtonNames(&frame),
             (QStringList{"FaceBookShareButton", "TwitterShareButton", "EmailShareButton"}));
    for (QPushButton *button : frame.findChildren<QPushButton *>()) {
        QCOMPARE(button->size(), QSize(190, 35));
        QVERIFY(button->isFlat());
        QVERIFY(button->isCheckable());
        QVERIFY(button->text().isEmpty());
    }
    // VKontakte and LinkedIn stay hidden even with a link.
    App::instance()->setFollowLinks(QString());
    TellWidget followFrame(nullptr);
    followFrame.show();
    QVERIFY(!visibleButtonNames(&followFrame).contains("VKontakteShareButton"));
    QVERIFY(!visibleButtonNames(&followFrame).contains("LinkedinShareButton"));
}

void tst_TellWidget::buttonsOpenRedirectedShareLinks_data()
{
    QTest::addColumn<bool>("follow");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("link");
    const QString fbShare = "https://www.facebook.com/sharer/sharer.php?u=https://www.borlune.org/tarsel";
    const QString twShare = "https://twitter.com/home?status=https://www.borlune.org/tarsel";
    QTest::newRow("facebook share page, own redirect server")
        << false << "FaceBookShareButton" << MakerLinks::facebookShareRedirect() + fbShare;
    QTest::newRow("twitter status page") << false << "TwitterShareButton" << MakerLinks::shareRedirect() + twShare;
    QTest::newRow("facebook after follow links")
        << true << "FaceBookShareButton"
        << MakerLinks::facebookShareRedirect() + "https://www.borlune.com/apps/tarsel/facebook.php";
    QTest::newRow("twitter after follow links")
        << true << "TwitterShareButton"
        << MakerLinks::shareRedirect() + "https://www.borlune.com/apps/tarsel/twitter.php";
}

void tst_TellWidget::buttonsOpenRedirectedShareLinks()
{
    QFETCH(bool, follow);
    QFETCH(QString, button);
    QFETCH(QString, link);
    App::instance()->setShareLinks(QString());
    if (follow)
        App::instance()->setFollowLinks(QString());
    TellWidget frame(nullptr);
    frame.show();
    LinkCatcher catcher({"http", "https", "mailto", "ms-windows-store"});
    clickNamed(&frame, button);
    QCOMPARE(catcher.linkTexts(), QStringList{link});
}

void tst_TellWidget::vkontakteOpensItsLinkAsItIs()
{
    App::instance()->setFollowLinks(QString());
    TellWidget frame(nullptr);
    LinkCatcher catcher({"http", "https", "mailto", "ms-windows-store"});
    frame.slotVKontakteClicked();
    QCOMPARE(catcher.linkTexts(), QStringList{"https://www.borlune.com/apps/tarsel/vkontakte.php"});
    frame.slotLinkedinClicked();
    QCOMPARE(catcher.linkTexts().size(), 1);
}

void tst_TellWidget::mailButtonWritesToAFriend()
{
    App::instance()->setShareLinks(QString());
    TellWidget frame(nullptr);
    frame.show();
    LinkCatcher catcher({"http", "https", "mailto", "ms-windows-store"});
    clickNamed(&frame, "EmailShareButton");
    QCOMPARE(catcher.linkTexts().size(), 1);
    const QString mail = catcher.linkTexts().first();
    QVERIFY2(mail.startsWith("mailto:"), qPrintable(mail));
    QVERIFY2(mail.contains("Check out the cool Tarsel app!"), qPrintable(mail));
    QVERIFY2(mail.contains("https://www.borlune.org/tarsel"), qPrintable(mail));
}

void tst_TellWidget::dialogFramesTheButtons()
{
    App::instance()->setShareLinks(QString());
    TellDialog dialog(nullptr);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QString("Share Tarsel"));
    QCOMPARE(dialog.objectName(), QString("Dialog"));
    QVERIFY(dialog.findChild<TellWidget *>());
    bool textFound = false;
    for (QLabel *label : dialog.findChildren<QLabel *>())
        textFound = textFound || label->text() == "<CENTER><H2>If you like the app<br>please share it with<br>your friends.<br>Thanks!</H2></CENTER>";
    QVERIFY(textFound);

    QPushButton *close = nullptr;
    for (QPushButton *button : dialog.findChildren<QPushButton *>()) {
        if (button->text() == "&Close")
            close = button;
    }
    QVERIFY(close);
    QCOMPARE(close->objectName(), QString("PushButton"));
    QVERIFY(close->isFlat());
    QTest::mouseClick(close, Qt::LeftButton);
    QVERIFY(dialog.isHidden());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

TARSEL_APP_TEST_MAIN(tst_TellWidget)
#include "tst_TellWidget.moc"
