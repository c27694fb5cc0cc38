#include "QMWidgets/dialogs/AboutDialog.h"
#include "QMWidgets/app/App.h"
#include "LinkCatcher.h"
#include "ModalAnswer.h"
#include "ChildRun.h"
#include "HostileResource.h"
#include "ScaledRun.h"
#include "TestApp.h"
#include "WidgetFinder.h"
#include "resources/Resources.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QTextBrowser>

using QMWidgets::AboutDialog;
using QMWidgets::App;

namespace {

// Clicks the first anchor on the page whose visible text is the given one.
bool clickAnchorText(QTextBrowser *page, const QString &text)
{
    const QTextCursor found = page->document()->find(text);
    if (found.isNull())
        return false;
    QTextCursor inside(page->document());
    inside.setPosition(found.selectionStart() + 1);
    const QPoint point = page->cursorRect(inside).center();
    QTest::mouseClick(page->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    return true;
}

// Shows the box and turns to its legal page.
QTextBrowser *openLegalPage(AboutDialog &dialog)
{
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog))
        return nullptr;
    QTest::mouseClick(findButton(&dialog, "&Legal Notices"), Qt::LeftButton);
    return dialog.findChild<QTextBrowser *>("AboutLegalInfo");
}

QString licencePath()
{
    return App::instance()->resourcesDirectory() + "LICENSE.LGPL";
}

} // namespace

class tst_AboutDialog : public QObject
{
    Q_OBJECT

private slots:
    void hostileResourcesShowNoPicture_data();
    void hostileResourcesShowNoPicture();
    void initTestCase();
    void init();

    void informationPage();
    void webAddressIsPlainWhenLinksAreDisabled();
    void legalNoticesToggleWithoutResizing();
    void shortScreenKeepsTheButtonsInView();
    void licenceLinkShowsThePlainText();
    void otherLinksOpenOutside();
    void missingLicenceLeavesThePage();
    void collectedNoticesAreAddedOnce();
    void slotAboutRunsOnTheMainWidget();
};

void tst_AboutDialog::initTestCase()
{
    Resources::init();
    QCoreApplication::setApplicationVersion("1.8.2");
    QVERIFY2(QFile::exists(licencePath()), qPrintable(licencePath()));
}

void tst_AboutDialog::init()
{
    App::instance()->setLinksDisabled(false);
}

void tst_AboutDialog::informationPage()
{
    AboutDialog dialog;
    QCOMPARE(dialog.objectName(), QString("AboutDialog"));
    QCOMPARE(dialog.windowTitle(), QString("Tarsel Info"));
    auto *info = dialog.findChild<QLabel *>("AboutInfoLabel");
    QVERIFY(info);
    const QDate built = App::instance()->buildDate();
    const QString text = info->text();
    QVERIFY2(text.contains("<CENTER>Tarsel v1.8.2 Build: " + built.toString("dd.MM.yyyy") + "<BR>"), qPrintable(text));
    QVERIFY2(text.contains(QString::number(built.year()) + " BORLUNE"), qPrintable(text));
    QVERIFY(text.contains("HREF=\"http://www.borlune.com\">www.borlune.com</A><BR>"));
    QVERIFY(text.contains("<IMG SRC=\":/pix/borlune.png\">"));
    QVERIFY(!QPixmap(":/pix/borlune.png").isNull());

    auto *logo = dialog.findChild<QLabel *>("LogoLabel");
    QVERIFY(logo);
    QCOMPARE(logo->size(), QSize(290, 290));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(logo->isVisible() && info->isVisible());
    QVERIFY(!dialog.findChild<QTextBrowser *>("AboutLegalInfo")->isVisible());
    QCOMPARE(QApplication::focusWidget(), findButton(&dialog, "&Ok"));
}

void tst_AboutDialog::webAddressIsPlainWhenLinksAreDisabled()
{
    App::instance()->setLinksDisabled(true);
    AboutDialog dialog;
    const QString text = dialog.findChild<QLabel *>("AboutInfoLabel")->text();
    QVERIFY(text.contains(" <BR>www.borlune.com<BR>"));
    QVERIFY(!text.contains("<A HREF"));
}

void tst_AboutDialog::legalNoticesToggleWithoutResizing()
{
    AboutDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QSize size = dialog.size();
    auto *legal = dialog.findChild<QTextBrowser *>("AboutLegalInfo");
    auto *logo = dialog.findChild<QLabel *>("LogoLabel");
    QPushButton *toggle = findButton(&dialog, "&Legal Notices");
    QVERIFY(toggle);

    QTest::mouseClick(toggle, Qt::LeftButton);
    QVERIFY(legal->isVisible());
    QVERIFY(!logo->isVisible());
    QCOMPARE(toggle->text(), QString("&Back"));
    QVERIFY(legal->toPlainText().contains("This Application Uses:"));
    QCOMPARE(dialog.size(), size);

    QTest::mouseClick(toggle, Qt::LeftButton);
    QVERIFY(!legal->isVisible());
    QVERIFY(logo->isVisible());
    QCOMPARE(toggle->text(), QString("&Legal Notices"));
    QCOMPARE(dialog.size(), size);

    // Ok closes and comes back on the information page.
    QTest::mouseClick(toggle, Qt::LeftButton);
    QTest::mouseClick(findButton(&dialog, "&Ok"), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(toggle->text(), QString("&Legal Notices"));
}

// At ratio 2 the offscreen screen counts as 400 x 300, shorter than the box: the box fits it, its pages scroll
// and both buttons stay in view and work.
void tst_AboutDialog::shortScreenKeepsTheButtonsInView()
{
    if (!qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
        const ScaledRun run = runScaled({"shortScreenKeepsTheButtonsInView"}, "2");
        QVERIFY2(run.passed, qPrintable(run.output));
        return;
    }
    AboutDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QRect available = dialog.screen()->availableGeometry();
    QVERIFY2(available.contains(dialog.frameGeometry()),
             qPrintable(QStringLiteral("%1 x %2 at %3,%4 on a screen of %5 x %6")
                            .arg(dialog.width()).arg(dialog.height()).arg(dialog.x()).arg(dialog.y())
                            .arg(available.width()).arg(available.height())));
    for (const char *caption : {"&Legal Notices", "&Ok"}) {
        QPushButton *button = findButton(&dialog, caption);
        QVERIFY(button);
        const QRect shown(button->mapTo(&dialog, QPoint()), button->size());
        QVERIFY2(dialog.rect().contains(shown), caption);
    }
    auto *legal = dialog.findChild<QTextBrowser *>("AboutLegalInfo");
    QTest::mouseClick(findButton(&dialog, "&Legal Notices"), Qt::LeftButton);
    QVERIFY(legal->isVisible());
    QTest::mouseClick(findButton(&dialog, "&Ok"), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
}

void tst_AboutDialog::licenceLinkShowsThePlainText()
{
    LinkCatcher desktop;
    AboutDialog dialog;
    QTextBrowser *legal = openLegalPage(dialog);
    QVERIFY(legal);
    QVERIFY(clickAnchorText(legal, "(more)"));

    QFile licence(licencePath());
    QVERIFY(licence.open(QIODevice::ReadOnly));
    // Shown as it is written: markup would swallow the address in angle brackets and the line breaks.
    QCOMPARE(legal->toPlainText(), QString::fromLatin1(licence.readAll()));
    QVERIFY(legal->toPlainText().contains("<https://fsf.org/>"));
    QVERIFY(desktop.links().isEmpty());
    // In the page's own format, not in that of the link just clicked.
    for (QTextBlock block = legal->document()->begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextCharFormat format = fragment.fragment().charFormat();
            QVERIFY2(!format.isAnchor() && !format.fontUnderline() && !format.hasProperty(QTextFormat::ForegroundBrush),
                     qPrintable(fragment.fragment().text().left(40)));
        }
    }
}

void tst_AboutDialog::otherLinksOpenOutside()
{
    LinkCatcher desktop;
    AboutDialog dialog;
    QTextBrowser *legal = openLegalPage(dialog);
    QVERIFY(legal);
    const QString before = legal->toHtml();
    QVERIFY(clickAnchorText(legal, "https://download.qt.io"));
    QCOMPARE(desktop.links(), QList<QUrl>{QUrl("https://download.qt.io")});
    QCOMPARE(legal->toHtml(), before);
}

void tst_AboutDialog::missingLicenceLeavesThePage()
{
    const QString moved = licencePath() + ".away";
    QVERIFY(QFile::rename(licencePath(), moved));
    AboutDialog dialog;
    QTextBrowser *legal = openLegalPage(dialog);
    QVERIFY(legal);
    const QString before = legal->toHtml();
    const bool clicked = clickAnchorText(legal, "(more)");
    QVERIFY(QFile::rename(moved, licencePath()));
    QVERIFY(clicked);
    QCOMPARE(legal->toHtml(), before);
}

void tst_AboutDialog::collectedNoticesAreAddedOnce()
{
    App *app = App::instance();
    AboutDialog::addLegalNotice("<P>Notice at <!bundlepath!>notes.txt</P>");
    const QString expected = "<P>Notice at " + app->resourcesDirectory() + "notes.txt</P>";
    QVERIFY(app->resourcesDirectory().endsWith("/Resources/"));
    { AboutDialog first; }
    { AboutDialog second; }
    QCOMPARE(app->legalNotice().count(expected), 1);

    AboutDialog::addLegalNotice("<P>Later</P>");
    { AboutDialog third; }
    QCOMPARE(app->legalNotice().count(expected), 1);
    QVERIFY(app->legalNotice().endsWith(expected + "<P>Later</P>"));
}

void tst_AboutDialog::slotAboutRunsOnTheMainWidget()
{
    App *app = App::instance();
    QWidget window;
    window.show();
    app->setMainWidget(&window);
    QWidget *seenParent = nullptr;
    QString seenName;
    answerNextModal(this, [&](QWidget *modal) {
        seenParent = modal->parentWidget();
        seenName = modal->objectName();
        QTest::mouseClick(findButton(modal, "&Ok"), Qt::LeftButton);
    });
    app->slotAbout();
    QCOMPARE(seenName, QString("AboutDialog"));
    QCOMPARE(seenParent, &window);
    QVERIFY(!window.findChild<AboutDialog *>());
}

void tst_AboutDialog::hostileResourcesShowNoPicture_data()
{
    addHostileResourceRows();
}

// A legal notice that names a hostile file as a picture is shown without it, at once.
void tst_AboutDialog::hostileResourcesShowNoPicture()
{
    RUN_ROW_IN_CHILD(HostileRowTimeoutMs);
    const HostileResource hostile = makeHostileResource(TestApp::homePath());
    AboutDialog::addLegalNotice(richTextShowing(hostile.path));
    const RouteCost cost;
    AboutDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.showInfoPage(false);
    auto *page = dialog.findChild<QTextBrowser *>("AboutLegalInfo");
    QVERIFY(page->toPlainText().contains("after"));
    QVERIFY(!dialog.grab().isNull());
    QVERIFY2(cost.excess().isEmpty(), qPrintable(cost.excess()));
}

TARSEL_APP_TEST_MAIN(tst_AboutDialog)
#include "tst_AboutDialog.moc"
