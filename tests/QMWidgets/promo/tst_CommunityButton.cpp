#include "QMWidgets/app/App.h"
#include "QMWidgets/promo/CommunityButton.h"
#include "QMWidgets/dialogs/TellDialog.h"
#include "resources/Resources.h"
#include "ButtonLookup.h"
#include "LinkCatcher.h"
#include "ModalAnswer.h"
#include "TestApp.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

#include <functional>

using QMWidgets::CommunityButton;

namespace {

QAction *entryWithText(QMenu *menu, const QString &text)
{
    for (QAction *action : menu->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

// Presses the button, which pops its menu up in a loop of its own, and clicks the entry there.
// Returns whether the entry was found on the menu that popped up.
bool chooseFromMenu(CommunityButton &button, const QString &text)
{
    QObject context;
    bool chosen = false;
    std::function<void()> pick = [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu) {
            QTimer::singleShot(0, &context, pick);
            return;
        }
        QAction *action = entryWithText(menu, text);
        if (action) {
            chosen = true;
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        } else {
            menu->close();
        }
    };
    QTimer::singleShot(0, &context, pick);
    QTest::mouseClick(&button, Qt::LeftButton);
    return chosen;
}

} // namespace

class tst_CommunityButton : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void menuOfANewButton();
    void entriesOpenTheirLinks_data();
    void entriesOpenTheirLinks();
    void twitterOnlyThroughItsSlot();
    void shareRunsTheShareDialog();
};

void tst_CommunityButton::initTestCase()
{
    Resources::init();
}

void tst_CommunityButton::menuOfANewButton()
{
    CommunityButton button(nullptr);
    QVERIFY(button.text().isEmpty());
    QVERIFY(button.icon().isNull());
    QMenu *menu = button.menu();
    QVERIFY(menu);
    QCOMPARE(menu->parent(), &button);
    QCOMPARE(visibleMenuEntries(menu), QStringList({"Share", "-", "FaceBook", "YouTube", "Xing", "MoiMir"}));
    for (QAction *action : menu->actions()) {
        if (action->isSeparator())
            continue;
        QVERIFY2(!action->icon().isNull(), qPrintable(action->text() + " has no picture"));
        QVERIFY(action->shortcut().isEmpty());
    }
}

void tst_CommunityButton::entriesOpenTheirLinks_data()
{
    QTest::addColumn<bool>("linksSet");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QStringList>("links");
    QTest::newRow("facebook") << true << "FaceBook" << QStringList{"https://www.facebook.com/Borlune"};
    QTest::newRow("youtube") << true << "YouTube" << QStringList{"http://www.youtube.com/c/Borlune?sub=1"};
    QTest::newRow("xing") << true << "Xing" << QStringList{"https://www.xing.com/pages/borlune"};
    QTest::newRow("moimir, a mail link") << true << "MoiMir" << QStringList{"mailto:my@borlune.com"};
    QTest::newRow("facebook before any link is set opens nothing") << false << "FaceBook" << QStringList();
    QTest::newRow("moimir before any link is set opens nothing") << false << "MoiMir" << QStringList();
}

void tst_CommunityButton::entriesOpenTheirLinks()
{
    QFETCH(bool, linksSet);
    QFETCH(QString, entry);
    QFETCH(QStringList, links);
    CommunityButton button(nullptr);
    if (linksSet) {
        // Every link differs, so an entry wired to the wrong link shows.
        button.setFaceBookLink("https://www.facebook.com/Borlune");
        button.setYouTubeLink("http://www.youtube.com/c/Borlune?sub=1");
        button.setTwitterLink("https://twitter.com/Borlune");
        button.setXingLink("https://www.xing.com/pages/borlune");
        button.setMoiMirLink("mailto:my@borlune.com");
    }
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    LinkCatcher catcher({"http", "https", "mailto"});
    QVERIFY(chooseFromMenu(button, entry));
    QCOMPARE(catcher.linkTexts(), links);
}

void tst_CommunityButton::twitterOnlyThroughItsSlot()
{
    CommunityButton button(nullptr);
    button.setTwitterLink("https://twitter.com/Borlune");
    QVERIFY(!entryWithText(button.menu(), "Twitter"));
    LinkCatcher catcher({"http", "https", "mailto"});
    QVERIFY(QMetaObject::invokeMethod(&button, "slotTwitter"));
    QCOMPARE(catcher.linkTexts(), QStringList{"https://twitter.com/Borlune"});
}

void tst_CommunityButton::shareRunsTheShareDialog()
{
    CommunityButton button(nullptr);
    button.setFaceBookLink("https://www.facebook.com/Borlune");
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    LinkCatcher catcher({"http", "https", "mailto"});
    QObject context;
    bool shareDialogRan = false;
    answerNextModal(&context, [&](QWidget *modal) {
        shareDialogRan = qobject_cast<QMWidgets::TellDialog *>(modal);
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    QVERIFY(chooseFromMenu(button, "Share"));
    QVERIFY(shareDialogRan);
    QCOMPARE(catcher.linkTexts(), QStringList());
}

TARSEL_APP_TEST_MAIN(tst_CommunityButton)
#include "tst_CommunityButton.moc"
