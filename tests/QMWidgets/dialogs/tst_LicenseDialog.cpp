#include "QMWidgets/app/App.h"
#include "QMWidgets/dialogs/LicenseDialog.h"
#include "TestApp.h"
#include "ChildRun.h"
#include "HostileResource.h"

#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QSettings>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

using QMWidgets::LicenseDialog;

namespace {

QPushButton *button(LicenseDialog &dialog, const QString &text)
{
    for (QPushButton *b : dialog.findChildren<QPushButton *>())
        if (b->text() == text)
            return b;
    return nullptr;
}

bool storedAcceptance()
{
    QSettings store(QStringLiteral("Borlune"), QStringLiteral("Tarsel"));
    return store.value(QStringLiteral("Tarsel/Tarsel/License"), false).toBool();
}

} // namespace

class tst_LicenseDialog : public QObject
{
    Q_OBJECT

private slots:
    void hostileResourcesShowNoPicture_data();
    void hostileResourcesShowNoPicture();
    void looksAsAgreement();
    void disagreeAndEscapeStoreNothing();
    void agreeIsRecorded();
    void deletionEndsExec();
};

void tst_LicenseDialog::looksAsAgreement()
{
    LicenseDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Tarsel License Agreement"));
    QVERIFY(dialog.textEdit()->isReadOnly());
    QVERIFY(dialog.textEdit()->toPlainText().isEmpty());
    dialog.show();
    for (const char *name : {"TopWidgetClose", "TopWidgetMaximize", "TopWidgetMinimize"})
        QVERIFY(!dialog.findChild<QPushButton *>(QLatin1String(name))->isVisible());
    QVERIFY(button(dialog, QStringLiteral("&Agree")) && button(dialog, QStringLiteral("&Disagree")));
}

void tst_LicenseDialog::disagreeAndEscapeStoreNothing()
{
    LicenseDialog dialog;
    QTimer::singleShot(0, &dialog, [&] { button(dialog, QStringLiteral("&Disagree"))->click(); });
    QCOMPARE(dialog.exec(), 0);
    QTimer::singleShot(0, &dialog, [&] {
        QApplication::setActiveWindow(&dialog);
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    QCOMPARE(dialog.exec(), 0);
    dialog.slotDisagree();
    QVERIFY(!LicenseDialog::isAccepted());
    QVERIFY(!storedAcceptance());
}

void tst_LicenseDialog::agreeIsRecorded()
{
    LicenseDialog dialog;
    QTimer::singleShot(0, &dialog, [&] { QTest::mouseClick(button(dialog, QStringLiteral("&Agree")), Qt::LeftButton); });
    QCOMPARE(dialog.exec(), 1);
    QVERIFY(LicenseDialog::isAccepted());
    QMWidgets::App::instance()->settings()->sync();
    QVERIFY(storedAcceptance());
}

void tst_LicenseDialog::deletionEndsExec()
{
    auto *dialog = new LicenseDialog;
    QPointer<LicenseDialog> guard(dialog);
    QTimer::singleShot(0, dialog, [dialog] { dialog->deleteLater(); });
    QCOMPARE(dialog->exec(), 0);
    QVERIFY(!guard);
}

void tst_LicenseDialog::hostileResourcesShowNoPicture_data()
{
    addHostileResourceRows();
}

// An agreement text that names a hostile file as a picture is shown without it, at once.
void tst_LicenseDialog::hostileResourcesShowNoPicture()
{
    RUN_ROW_IN_CHILD(HostileRowTimeoutMs);
    const HostileResource hostile = makeHostileResource(TestApp::homePath());
    const RouteCost cost;
    LicenseDialog dialog;
    dialog.textEdit()->setHtml(richTextShowing(hostile.path));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(!dialog.grab().isNull());
    QVERIFY2(cost.excess().isEmpty(), qPrintable(cost.excess()));
}

TARSEL_APP_TEST_MAIN(tst_LicenseDialog)
#include "tst_LicenseDialog.moc"
