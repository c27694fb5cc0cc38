#include "QMWidgets/dialogs/HelpDialog.h"
#include "QMWidgets/dialogs/JoinDialog.h"
#include "QMWidgets/dialogs/JoinReminderDialog.h"
#include "QMWidgets/dialogs/LicenseDialog.h"
#include "QMWidgets/dialogs/RateAppStoreDialog.h"
#include "QMWidgets/dialogs/RateMailDialog.h"
#include "QMWidgets/dialogs/SettingsDialog.h"
#include "QMWidgets/dialogs/SettingsWidget.h"
#include "QMWidgets/dialogs/TellReminderDialog.h"
#include "ScaledRun.h"
#include "ScreenFitCheck.h"
#include "TestApp.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSpinBox>

#include <functional>
#include <memory>

using namespace QMWidgets;

using DialogMaker = std::function<QWidget *()>;
Q_DECLARE_METATYPE(DialogMaker)

namespace {

class FormPage : public SettingsWidget
{
public:
    FormPage()
    {
        auto *form = new QFormLayout(this);
        form->addRow(new QCheckBox(QStringLiteral("Open the last script at start")));
        form->addRow(QStringLiteral("Font size"), new QSpinBox);
        form->addRow(QStringLiteral("Start folder"), new QLineEdit(QStringLiteral("/home")));
    }
    void load(QDomNode) override {}
    QDomElement save(QDomDocument &document) override { return document.createElement(name()); }
    QString name() const override { return QStringLiteral("Form"); }
};

} // namespace

class tst_BodyScrollArea : public QObject
{
    Q_OBJECT

private slots:
    void shortScreenKeepsTheButtonsInView_data();
    void shortScreenKeepsTheButtonsInView();
    void roomyScreenShowsTheBodyWhole_data();
    void roomyScreenShowsTheBodyWhole();
};

void tst_BodyScrollArea::shortScreenKeepsTheButtonsInView_data()
{
    QTest::addColumn<DialogMaker>("make");
    // The last button is clicked.
    QTest::addColumn<QStringList>("buttons");

    QTest::newRow("settings, opening at 640 x 480") << DialogMaker([] {
        static FormPage page;
        SettingsDialog::registerSettingsWidget(page.name(), &page);
        return new SettingsDialog;
    }) << QStringList{"&Ok", "&Apply", "&Cancel"};
    QTest::newRow("licence, with a minimum size larger than the screen") << DialogMaker([] {
        auto *dialog = new LicenseDialog;
        dialog->setMinimumSize(560, 420);
        dialog->resize(560, 420);
        return dialog;
    }) << QStringList{"&Agree", "&Disagree"};
    QTest::newRow("join") << DialogMaker([] { return new JoinDialog(nullptr); }) << QStringList{"&Close"};
    QTest::newRow("help") << DialogMaker([] { return new HelpDialog(nullptr); })
                          << QStringList{"&Always skip intro", "&Close"};
    QTest::newRow("rate reminder") << DialogMaker([] { return new RateAppStoreDialog(nullptr); })
                                   << QStringList{"&Rate It Now", "&Later", "&Don't ask me again"};
    QTest::newRow("feedback reminder") << DialogMaker([] { return new RateMailDialog(nullptr); })
                                       << QStringList{"&Rate", "&Write email", "&Later", "&Don't ask me again"};
    QTest::newRow("join reminder") << DialogMaker([] { return new JoinReminderDialog(nullptr); })
                                   << QStringList{"&Don't ask me again", "&Close"};
    QTest::newRow("share reminder") << DialogMaker([] { return new TellReminderDialog(nullptr); })
                                    << QStringList{"&Don't ask me again", "&Close"};
}

// At ratio 2 the offscreen screen counts as 400 x 300, shorter than each of these dialogs: the dialog fits it,
// its body scrolls and its buttons stay in view and work. The last button closes some of them, so it comes last.
void tst_BodyScrollArea::shortScreenKeepsTheButtonsInView()
{
    if (!qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
        const QString row = QStringLiteral("shortScreenKeepsTheButtonsInView:") + QTest::currentDataTag();
        const ScaledRun run = runScaled({row}, "2");
        QVERIFY2(run.passed, qPrintable(run.output));
        return;
    }
    QFETCH(DialogMaker, make);
    QFETCH(QStringList, buttons);
    std::unique_ptr<QWidget> dialog(make());
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    // The body scrolls down, never sideways: a text wider than the screen wraps.
    for (const QScrollBar *bar : dialog->findChildren<QScrollBar *>()) {
        if (bar->orientation() == Qt::Horizontal)
            QVERIFY2(!bar->isVisible(), "the body scrolls sideways");
    }
    const QString fault = screenFitFault(dialog.get(), buttons);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

void tst_BodyScrollArea::roomyScreenShowsTheBodyWhole_data()
{
    shortScreenKeepsTheButtonsInView_data();
}

// On the 800 x 600 screen each dialog fits: nothing scrolls and no text is cut, also where the body's content
// changed after the dialog was made (the reminders set their text after their common face).
void tst_BodyScrollArea::roomyScreenShowsTheBodyWhole()
{
    QFETCH(DialogMaker, make);
    std::unique_ptr<QWidget> dialog(make());
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    for (const QScrollBar *bar : dialog->findChildren<QScrollBar *>())
        QVERIFY2(!bar->isVisible(), qPrintable(bar->parentWidget()->objectName()));
    for (const QLabel *label : dialog->findChildren<QLabel *>()) {
        if (!label->isVisible() || label->wordWrap())
            continue;
        QVERIFY2(label->width() >= label->sizeHint().width(),
                 qPrintable(QStringLiteral("%1 shown %2 wide of %3")
                                .arg(label->text().left(40)).arg(label->width()).arg(label->sizeHint().width())));
    }
}

TARSEL_APP_TEST_MAIN(tst_BodyScrollArea)

#include "tst_BodyScrollArea.moc"
