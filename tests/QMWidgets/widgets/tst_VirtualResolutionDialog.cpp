#include "ChildRun.h"
#include "ScaledRun.h"
#include "TestApp.h"

#include "QMWidgets/widgets/ResolutionSetupWidget.h"
#include "QMWidgets/widgets/VirtualResolutionDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

using QMWidgets::ResolutionSetupWidget;
using QMWidgets::VirtualResolutionDialog;

namespace {

ResolutionSetupWidget *groupTitled(QWidget *dialog, const QString &title)
{
    for (auto *group : dialog->findChildren<ResolutionSetupWidget *>()) {
        if (group->title() == title)
            return group;
    }
    return nullptr;
}

QPushButton *buttonLabelled(QWidget *dialog, const QString &text)
{
    for (auto *button : dialog->findChildren<QPushButton *>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

// Chooses an item of the mode box as the user does, so activated() is emitted.
void chooseMode(QComboBox *box, int index)
{
    box->setFocus();
    while (box->currentIndex() < index)
        QTest::keyClick(box, Qt::Key_Down);
    while (box->currentIndex() > index)
        QTest::keyClick(box, Qt::Key_Up);
}

} // namespace

class tst_VirtualResolutionDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void ownerMayDeleteItOnApply();
    void newDialog();
    void presetsAsStored_data();
    void presetsAsStored();
    void modeBoxSwitchesTheGroup();
    void applyReportsTheBoxesThenTheSettings();
    void okAndCancelCloseWithoutReporting_data();
    void okAndCancelCloseWithoutReporting();
    void timesSignFitsItsLabel();

private:
    VirtualResolutionDialog *m_dialog = nullptr;
    QStringList m_signals;
};

void tst_VirtualResolutionDialog::init()
{
    m_dialog = new VirtualResolutionDialog;
    m_signals.clear();
    auto point = [](const QPoint &p) { return QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y()); };
    connect(m_dialog, &VirtualResolutionDialog::virtualResolutionChanged,
            [=](const QPoint &p) { m_signals << "virtualResolutionChanged " + point(p); });
    connect(m_dialog, &VirtualResolutionDialog::changeVirtualResolution,
            [=](const QPoint &p) { m_signals << "changeVirtualResolution " + point(p); });
    connect(m_dialog, &VirtualResolutionDialog::changeSettings, [=] { m_signals << "changeSettings"; });
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(m_dialog));
}

void tst_VirtualResolutionDialog::cleanup()
{
    delete m_dialog;
}

void tst_VirtualResolutionDialog::newDialog()
{
    auto *modeBox = m_dialog->findChild<QComboBox *>();
    QCOMPARE(modeBox->count(), 2);
    QCOMPARE(modeBox->itemText(0), QString("Virtual Resolution Mode"));
    QCOMPARE(modeBox->itemText(1), QString("Normal Model"));
    QCOMPARE(modeBox->currentIndex(), 0);
    QCOMPARE(m_dialog->mode(), VirtualResolutionDialog::VirtualResolutionMode);
    QCOMPARE(m_dialog->virtualResolution(), QPoint(1024, 768));

    ResolutionSetupWidget *virtualGroup = groupTitled(m_dialog, "Virtual Resolution");
    QVERIFY(virtualGroup && virtualGroup->isEnabled() && virtualGroup->isVisible());
    auto *slider = virtualGroup->findChild<QSlider *>();
    QCOMPARE(slider->value(), 0);
    QCOMPARE(slider->minimum(), 0);
    QCOMPARE(slider->maximum(), 13);
    ResolutionSetupWidget *windowGroup = groupTitled(m_dialog, "Window Size");
    QVERIFY(windowGroup && !windowGroup->isVisible());

    auto *openGl = m_dialog->findChild<QCheckBox *>();
    QVERIFY(!openGl->isChecked());
    QVERIFY(!openGl->isEnabled());
    for (const char *text : {"&Ok", "&Cancel", "&Apply"}) {
        QPushButton *button = buttonLabelled(m_dialog, text);
        QVERIFY2(button, text);
        QCOMPARE(button->objectName(), QString("PushButton"));
    }
    QVERIFY(m_signals.isEmpty());
    // The dialog used to have no title at all.
    QVERIFY(!QCoreApplication::applicationName().isEmpty());
    QCOMPARE(m_dialog->windowTitle(), QCoreApplication::applicationName());
}

void tst_VirtualResolutionDialog::presetsAsStored_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QPoint>("resolution");
    const QPoint presets[] = {{1024, 768},  {1152, 864},  {1280, 800},  {1280, 1024}, {1440, 900},
                              {1600, 1200}, {1680, 1050}, {1920, 1200}, {1980, 1250}, {2048, 1536},
                              {2650, 1600}, {3840, 2400}, {4096, 3072}, {5300, 3200}};
    for (int index = 0; index < 14; ++index)
        QTest::addRow("%d", index) << index << presets[index];
}

void tst_VirtualResolutionDialog::presetsAsStored()
{
    QFETCH(int, index);
    QFETCH(QPoint, resolution);
    auto *slider = groupTitled(m_dialog, "Virtual Resolution")->findChild<QSlider *>();
    // Every row moves the slider, so the first preset is reached from the last.
    slider->setValue(13);
    m_signals.clear();
    slider->setValue(index);
    QCOMPARE(m_dialog->virtualResolution(), resolution);
    const QString expected =
        QStringLiteral("virtualResolutionChanged (%1, %2)").arg(resolution.x()).arg(resolution.y());
    QCOMPARE(m_signals, index == 13 ? QStringList() : QStringList({expected}));
}

void tst_VirtualResolutionDialog::modeBoxSwitchesTheGroup()
{
    auto *modeBox = m_dialog->findChild<QComboBox *>();
    ResolutionSetupWidget *virtualGroup = groupTitled(m_dialog, "Virtual Resolution");
    chooseMode(modeBox, 1);
    QCOMPARE(m_dialog->mode(), VirtualResolutionDialog::NormalMode);
    QVERIFY(!virtualGroup->isEnabled());
    chooseMode(modeBox, 0);
    QCOMPARE(m_dialog->mode(), VirtualResolutionDialog::VirtualResolutionMode);
    QVERIFY(virtualGroup->isEnabled());
    QVERIFY(m_signals.isEmpty());
}

void tst_VirtualResolutionDialog::applyReportsTheBoxesThenTheSettings()
{
    ResolutionSetupWidget *virtualGroup = groupTitled(m_dialog, "Virtual Resolution");
    virtualGroup->findChild<QSlider *>()->setValue(7);
    // Typed by hand after the preset: only the boxes count.
    QList<QSpinBox *> boxes = virtualGroup->findChildren<QSpinBox *>();
    std::sort(boxes.begin(), boxes.end(), [](QSpinBox *a, QSpinBox *b) { return a->x() < b->x(); });
    boxes.at(1)->setValue(1111);
    m_signals.clear();

    QTest::mouseClick(buttonLabelled(m_dialog, "&Apply"), Qt::LeftButton);
    QCOMPARE(m_signals, QStringList({"changeVirtualResolution (1920, 1111)", "changeSettings"}));
    QVERIFY(m_dialog->isVisible());
}

// Apply went on to changeSettings() after changeVirtualResolution(), on which an owner may delete the dialog
// (in a process of its own: freed memory aborts the sanitizer build).
void tst_VirtualResolutionDialog::ownerMayDeleteItOnApply()
{
    if (ranRowInChild())
        return;
    connect(m_dialog, &VirtualResolutionDialog::changeVirtualResolution, [this] {
        delete m_dialog;
        m_dialog = nullptr;
    });
    buttonLabelled(m_dialog, "&Apply")->click();
    QVERIFY(!m_dialog);
    QCOMPARE(m_signals.size(), 1);
    QVERIFY(m_signals.first().startsWith("changeVirtualResolution"));
}

void tst_VirtualResolutionDialog::okAndCancelCloseWithoutReporting_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("Ok") << "&Ok" << int(QDialog::Accepted);
    QTest::newRow("Cancel") << "&Cancel" << int(QDialog::Rejected);
}

void tst_VirtualResolutionDialog::okAndCancelCloseWithoutReporting()
{
    QFETCH(QString, button);
    QFETCH(int, result);
    QTest::mouseClick(buttonLabelled(m_dialog, button), Qt::LeftButton);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), result);
    QVERIFY(m_signals.isEmpty());
}

// The label between width and height was narrower than its "x", which was cut to look like a colon.
// Checked at ratio 1 here and at ratio 2 in a child.
void tst_VirtualResolutionDialog::timesSignFitsItsLabel()
{
    if (!qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
        const ScaledRun run = runScaled({ "timesSignFitsItsLabel" }, "2");
        QVERIFY2(run.passed, qPrintable(run.output));
    }
    QLabel *times = nullptr;
    for (QLabel *label : groupTitled(m_dialog, "Virtual Resolution")->findChildren<QLabel *>()) {
        if (label->text() == "x")
            times = label;
    }
    QVERIFY(times);
    const QRect room = times->contentsRect();
    const QRect needed = times->fontMetrics().boundingRect(room, int(times->alignment()), times->text());
    QVERIFY2(room.contains(needed), qPrintable(QStringLiteral("\"x\" takes %1 x %2 pixels in a label of %3 x %4")
                                                   .arg(needed.width()).arg(needed.height())
                                                   .arg(room.width()).arg(room.height())));
}

TARSEL_APP_TEST_MAIN(tst_VirtualResolutionDialog)
#include "tst_VirtualResolutionDialog.moc"
