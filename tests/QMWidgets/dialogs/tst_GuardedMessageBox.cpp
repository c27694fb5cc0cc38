#include "ChildRun.h"
#include "HostileResource.h"
#include "ModalAnswer.h"
#include "TestApp.h"

#include "QMWidgets/dialogs/GuardedMessageBox.h"

#include <QLabel>

using QMWidgets::GuardedMessageBox;

class tst_GuardedMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void hostileResourcesShowNoPicture_data();
    void hostileResourcesShowNoPicture();
};

void tst_GuardedMessageBox::hostileResourcesShowNoPicture_data()
{
    addHostileResourceRows();
}

// A text from outside (a file's name, a reason a reader gave) that names a hostile file as a picture is shown
// without it, at once.
void tst_GuardedMessageBox::hostileResourcesShowNoPicture()
{
    RUN_ROW_IN_CHILD(HostileRowTimeoutMs);
    const HostileResource hostile = makeHostileResource(TestApp::homePath());
    const RouteCost cost;
    QString shown;
    answerNextModal(this, [&](QWidget *modal) {
        if (!modal->grab().isNull())
            shown = modal->findChild<QLabel *>("qt_msgbox_label")->text();
        modal->close();
    });
    const auto answer = GuardedMessageBox::warning(nullptr, "Warning", richTextShowing(hostile.path));
    QCOMPARE(shown, richTextShowing(hostile.path));
    QCOMPARE(answer, std::optional<QMessageBox::StandardButton>(QMessageBox::Ok));
    QVERIFY2(cost.excess().isEmpty(), qPrintable(cost.excess()));
}

TARSEL_APP_TEST_MAIN(tst_GuardedMessageBox)
#include "tst_GuardedMessageBox.moc"
