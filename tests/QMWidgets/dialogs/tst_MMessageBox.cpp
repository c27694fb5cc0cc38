#include "ModalAnswer.h"
#include "ChildRun.h"
#include "HostileResource.h"
#include "ScaledRun.h"
#include "TestApp.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/dialogs/MMessageBox.h"
#include "resources/Resources.h"

#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

using QMWidgets::App;
using QMWidgets::MMessageBox;

namespace {

// The push buttons of a box in reading order: left to right in a row, top to bottom in a column.
QList<QPushButton *> buttonsInOrder(QWidget *box)
{
    QList<QPushButton *> buttons = box->findChildren<QPushButton *>();
    std::sort(buttons.begin(), buttons.end(), [](QPushButton *a, QPushButton *b) {
        return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
    });
    return buttons;
}

QStringList labelsOf(const QList<QPushButton *> &buttons)
{
    QStringList labels;
    for (QPushButton *button : buttons)
        labels << button->text();
    return labels;
}

// What the answerer saw of the box it ended.
struct Answer
{
    QString click; // the label of the button to click; empty presses Escape
    QPointer<QWidget> box;
    QStringList labels;
    QImage icon;
};

// Ends the next modal box from inside its own event loop. A label the box lacks closes it instead,
// so the run ends with 0 and the caller's comparison reports the fault.
void answerNextBox(QObject *context, Answer *answer)
{
    answerNextModal(context, [answer](QWidget *box) {
        answer->box = box;
        const QList<QPushButton *> buttons = buttonsInOrder(box);
        answer->labels = labelsOf(buttons);
        for (QLabel *label : box->findChildren<QLabel *>()) {
            const QPixmap pixmap = label->pixmap(Qt::ReturnByValue);
            if (!pixmap.isNull())
                answer->icon = pixmap.toImage();
        }
        if (answer->click.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        for (QPushButton *button : buttons) {
            if (button->text() == answer->click) {
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        }
        box->close();
    });
}

int runHelper(int kind, QWidget *parent, int buttons)
{
    switch (kind) {
    case MMessageBox::Information:
        return MMessageBox::information(parent, "Title", "Text", buttons);
    case MMessageBox::Warning:
        return MMessageBox::warning(parent, "Title", "Text", buttons);
    case MMessageBox::Critical:
        return MMessageBox::critical(parent, "Title", "Text", buttons);
    default:
        return MMessageBox::question(parent, "Title", "Text", buttons);
    }
}

} // namespace

class tst_MMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void hostileResourcesShowNoPicture_data();
    void hostileResourcesShowNoPicture();
    void initTestCase() { Resources::init(); }
    void helperReturnsClickedButton_data();
    void helperReturnsClickedButton();
    void buttonOrder_data();
    void buttonOrder();
    void userDefinedButtonReturnsItsValue();
    void kindPixmap_data();
    void kindPixmap();
    void sizeLimits();
    void iconStandsBesideTheFirstLine();
    void smallScreenStacksButtons();
};

// The results are the values of QMessageBox::StandardButton, written out because callers compare with them.
void tst_MMessageBox::helperReturnsClickedButton_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QString>("click");
    QTest::addColumn<int>("expected");
    const int abortRetryIgnore = QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    const int yesNo = QMessageBox::Yes | QMessageBox::No;
    const int toAll = QMessageBox::YesToAll | QMessageBox::NoToAll;
    QTest::newRow("information Ok") << 1 << int(QMessageBox::Ok) << "Ok" << 0x400;
    QTest::newRow("warning Cancel") << 2 << int(QMessageBox::Ok | QMessageBox::Cancel) << "Cancel" << 0x400000;
    QTest::newRow("question Yes") << 4 << yesNo << "Yes" << 0x4000;
    QTest::newRow("question No") << 4 << yesNo << "No" << 0x10000;
    QTest::newRow("critical Abort") << 3 << abortRetryIgnore << "Abort" << 0x40000;
    QTest::newRow("critical Retry") << 3 << abortRetryIgnore << "Retry" << 0x80000;
    QTest::newRow("critical Ignore") << 3 << abortRetryIgnore << "Ignore" << 0x100000;
    QTest::newRow("question YesAll") << 4 << toAll << "YesAll" << 0x8000;
    QTest::newRow("question NoAll") << 4 << toAll << "NoAll" << 0x20000;
    QTest::newRow("Escape returns 0") << 1 << int(QMessageBox::Ok) << "" << 0;
}

void tst_MMessageBox::helperReturnsClickedButton()
{
    QFETCH(int, kind);
    QFETCH(int, buttons);
    QFETCH(QString, click);
    QFETCH(int, expected);
    QWidget parent;
    Answer answer{ click, {}, {}, {} };
    QObject context;
    answerNextBox(&context, &answer);

    QCOMPARE(runHelper(kind, &parent, buttons), expected);

    QVERIFY2(answer.box.isNull(), "the helper left its box behind");
    QVERIFY(parent.findChildren<MMessageBox *>().isEmpty());
    QCOMPARE(answer.icon, MMessageBox::kindPixmap(kind).toImage());
}

void tst_MMessageBox::buttonOrder_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QString>("userDefinedText");
    QTest::addColumn<QStringList>("expectedLabels");
    const int known = QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No | QMessageBox::Abort
        | QMessageBox::Retry | QMessageBox::Ignore | QMessageBox::YesToAll | QMessageBox::NoToAll;
    QTest::newRow("every known bit, No left of Yes")
        << known << "" << QStringList{ "Ok", "Cancel", "No", "Yes", "Abort", "Retry", "Ignore", "YesAll", "NoAll" };
    QTest::newRow("Save shows no button") << int(QMessageBox::Save) << "" << QStringList();
    QTest::newRow("unknown bits beside known ones are ignored")
        << int(QMessageBox::Save | QMessageBox::Ok | QMessageBox::Discard) << "" << QStringList{ "Ok" };
    QTest::newRow("user-defined button is last")
        << int(QMessageBox::Yes | QMessageBox::No | QMessageBox::NoToAll) << "Later"
        << QStringList{ "No", "Yes", "NoAll", "Later" };
    QTest::newRow("user-defined button alone") << 0 << "Later" << QStringList{ "Later" };
}

void tst_MMessageBox::buttonOrder()
{
    QFETCH(int, buttons);
    QFETCH(QString, userDefinedText);
    QFETCH(QStringList, expectedLabels);
    QVERIFY(!App::isSmallScreen());
    MMessageBox box(MMessageBox::Question, "Title", "Text", buttons, nullptr, userDefinedText);

    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));

    const QList<QPushButton *> shown = buttonsInOrder(&box);
    QCOMPARE(labelsOf(shown), expectedLabels);
    for (QPushButton *button : shown)
        QCOMPARE(button->y(), shown.first()->y()); // one row
}

void tst_MMessageBox::userDefinedButtonReturnsItsValue()
{
    MMessageBox box(MMessageBox::Information, "Title", "Text", QMessageBox::Ok, nullptr, "Later");
    Answer answer{ "Later", {}, {}, {} };
    QObject context;
    answerNextBox(&context, &answer);

    QCOMPARE(box.exec(), 0x10000000);
}

void tst_MMessageBox::kindPixmap_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("picture"); // empty: no icon
    QTest::newRow("1 information") << 1 << ":/MessageInformation.png";
    QTest::newRow("2 warning") << 2 << ":/MessageWarning.png";
    QTest::newRow("3 critical") << 3 << ":/MessageCritical.png";
    QTest::newRow("4 question") << 4 << ":/MessageQuestion.png";
    QTest::newRow("0 has no icon") << 0 << QString();
    QTest::newRow("5 has no icon") << 5 << QString();
}

void tst_MMessageBox::kindPixmap()
{
    QFETCH(int, kind);
    QFETCH(QString, picture);

    const QPixmap pixmap = MMessageBox::kindPixmap(kind);
    // A box of any kind can be made, with or without a picture.
    MMessageBox box(kind, "Title", "Text", QMessageBox::Ok);

    if (picture.isEmpty()) {
        QVERIFY(pixmap.isNull());
        return;
    }
    QVERIFY(!pixmap.isNull());
    QCOMPARE(pixmap.toImage(), QImage(picture).convertToFormat(pixmap.toImage().format()));
}

void tst_MMessageBox::sizeLimits()
{
    MMessageBox small(MMessageBox::Information, "Title", "Hi", QMessageBox::Ok);
    small.show();
    small.resize(10, 10);
    QVERIFY2(small.width() >= 300 && small.height() >= 200,
             qPrintable(QString("%1x%2").arg(small.width()).arg(small.height())));

    const QString longText = QString("A sentence that goes on. ").repeated(60);
    MMessageBox wide(MMessageBox::Information, "Title", longText, QMessageBox::Ok);
    wide.show();
    QVERIFY(QTest::qWaitForWindowExposed(&wide));
    QVERIFY2(wide.width() < wide.fontMetrics().horizontalAdvance(longText), "the text did not wrap");
}

// Centred in a box of 300 by 200 the icon stood alone halfway down, in a strip of the label's ground.
void tst_MMessageBox::iconStandsBesideTheFirstLine()
{
    MMessageBox box(MMessageBox::Question, "Tarsel", "Save the changes to script.js?", QMessageBox::Yes);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    auto *icon = box.findChild<QLabel *>("MessageBoxIcon");
    QVERIFY(icon);
    QVERIFY2(icon->y() <= 10, qPrintable(QString("icon at y %1").arg(icon->y())));
}

// The offscreen screen is 800 by 600; at a scale of 2 it is 400 by 300 device-independent pixels, so
// this function runs again in a child process with that scale.
void tst_MMessageBox::smallScreenStacksButtons()
{
    if (!App::isSmallScreen()) {
        QVERIFY2(!qEnvironmentVariableIsSet("QT_SCALE_FACTOR"), "the scaled screen is not small");
        const ScaledRun run = runScaled({ "smallScreenStacksButtons" }, "2");
        QVERIFY2(run.passed, qPrintable(run.output));
        return;
    }
    MMessageBox box(MMessageBox::Question, "Title", "Text", QMessageBox::Yes | QMessageBox::No, nullptr, "Later");

    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));

    const QList<QPushButton *> shown = buttonsInOrder(&box);
    QCOMPARE(labelsOf(shown), QStringList({ "No", "Yes", "Later" }));
    for (int i = 1; i < shown.size(); ++i) {
        QCOMPARE(shown.at(i)->x(), shown.first()->x());
        QVERIFY(shown.at(i)->y() > shown.at(i - 1)->y());
    }
}

void tst_MMessageBox::hostileResourcesShowNoPicture_data()
{
    addHostileResourceRows();
}

// A text from outside that names a hostile file as a picture is shown without it, at once.
void tst_MMessageBox::hostileResourcesShowNoPicture()
{
    RUN_ROW_IN_CHILD(HostileRowTimeoutMs);
    const HostileResource hostile = makeHostileResource(TestApp::homePath());
    const RouteCost cost;
    bool shown = false;
    drawAndCloseNextModal(this, &shown);
    MMessageBox::information(nullptr, "Information", richTextShowing(hostile.path), QMessageBox::Ok);
    QVERIFY(shown);
    QVERIFY2(cost.excess().isEmpty(), qPrintable(cost.excess()));
}

TARSEL_APP_TEST_MAIN(tst_MMessageBox)
#include "tst_MMessageBox.moc"
