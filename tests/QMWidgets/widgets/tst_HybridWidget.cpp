#include "TestApp.h"

#include "QMWidgets/widgets/HybridWidget.h"
#include "QMWidgets/widgets/ResolutionSetupWidget.h"
#include "QMWidgets/widgets/VirtualResolutionDialog.h"
#include "QMWidgets/widgets/VirtualResolutionWidget.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSlider>

using QMWidgets::HybridWidget;
using QMWidgets::VirtualResolutionDialog;
using QMWidgets::VirtualResolutionWidget;

namespace {

template <typename T>
T *topLevel()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *found = qobject_cast<T *>(widget))
            return found;
    }
    return nullptr;
}

} // namespace

class tst_HybridWidget : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void virtualModeOnAndOff();
    void switchingOnTwiceChangesNothing();
    void setSizeActsOnlyInVirtualMode();
    void fullScreenGoesToTheVisibleWindow_data();
    void fullScreenGoesToTheVisibleWindow();
    void followsTheAppliedSettings();
    void destroyedInVirtualModeDeletesEverythingOnce();

private:
    HybridWidget *m_host = nullptr;
    QPointer<QLabel> m_content;
    QPointer<VirtualResolutionWidget> m_view;
};

void tst_HybridWidget::init()
{
    m_host = new HybridWidget;
    m_content = new QLabel("contents");
    m_host->addWidget(m_content);
    m_host->setWindowTitle("Hybrid");
    m_host->resize(300, 200);
    m_host->move(200, 150);
    m_host->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_host));
    m_view = topLevel<VirtualResolutionWidget>();
    QVERIFY(m_view);
    QCOMPARE(m_view->windowTitle(), QString("Hybrid"));
    QVERIFY(!m_view->isVisible());
}

void tst_HybridWidget::cleanup()
{
    delete m_host;
    m_host = nullptr;
    QVERIFY2(!m_view, "the host left its view behind");
    QVERIFY(!m_content);
    QVERIFY(!topLevel<VirtualResolutionDialog>());
}

void tst_HybridWidget::virtualModeOnAndOff()
{
    m_host->slotSetVirtualResolutionMode(true);
    QVERIFY(m_host->isVirtualResolutionMode());
    QVERIFY(m_view->isVisible());
    QVERIFY(!m_host->isWindow());
    QCOMPARE(m_host->window(), m_host->parentWidget()->window());
    QCOMPARE(m_host->geometry(), QRect(0, 0, 1280, 800));
    QCOMPARE(m_host->parentWidget()->size(), QSize(1280, 800));
    QVERIFY(m_content->isVisible() || m_host->isVisibleTo(m_host->parentWidget()));

    m_host->slotSetVirtualResolutionMode(false);
    QVERIFY(!m_host->isVirtualResolutionMode());
    QVERIFY(m_host->isWindow());
    QVERIFY(m_host->isVisible());
    QCOMPARE(m_host->pos(), QPoint(50, 50));
    QCOMPARE(m_host->size(), QSize(300, 200));
    QVERIFY(!m_view->isVisible());
}

void tst_HybridWidget::switchingOnTwiceChangesNothing()
{
    m_host->slotSetVirtualResolutionMode(true);
    m_host->slotSetSize(QPoint(1024, 600));
    m_host->slotSetVirtualResolutionMode(true);
    QCOMPARE(m_host->geometry(), QRect(0, 0, 1024, 600));
    // Leaving still restores the size from before the first switch.
    m_host->slotSetVirtualResolutionMode(false);
    QCOMPARE(m_host->size(), QSize(300, 200));
}

void tst_HybridWidget::setSizeActsOnlyInVirtualMode()
{
    m_host->slotSetSize(QPoint(1024, 600));
    QCOMPARE(m_host->size(), QSize(300, 200));
    QVERIFY(m_host->isWindow());

    m_host->slotSetVirtualResolutionMode(true);
    m_host->slotSetSize(QPoint(1024, 600));
    QCOMPARE(m_host->geometry(), QRect(0, 0, 1024, 600));
    QCOMPARE(m_host->parentWidget()->size(), QSize(1024, 600));
}

void tst_HybridWidget::fullScreenGoesToTheVisibleWindow_data()
{
    QTest::addColumn<bool>("virtualMode");
    QTest::newRow("normal mode") << false;
    QTest::newRow("virtual mode") << true;
}

void tst_HybridWidget::fullScreenGoesToTheVisibleWindow()
{
    QFETCH(bool, virtualMode);
    m_host->slotSetVirtualResolutionMode(virtualMode);
    QWidget *window = virtualMode ? static_cast<QWidget *>(m_view) : m_host;
    m_host->slotShowFullScreenMode(true);
    QVERIFY(window->isFullScreen());
    m_host->slotShowFullScreenMode(false);
    QVERIFY(!window->isFullScreen());
    QVERIFY(window->isVisible());
}

void tst_HybridWidget::followsTheAppliedSettings()
{
    m_host->slotShowSettingsDialog();
    auto *dialog = topLevel<VirtualResolutionDialog>();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QPushButton *apply = nullptr;
    for (auto *button : dialog->findChildren<QPushButton *>()) {
        if (button->text() == "&Apply")
            apply = button;
    }
    auto *modeBox = dialog->findChild<QComboBox *>();
    auto *slider = dialog->findChild<QMWidgets::ResolutionSetupWidget *>()->findChild<QSlider *>();

    // Normal mode applied while normal: nothing changes.
    modeBox->setCurrentIndex(VirtualResolutionDialog::NormalMode);
    QTest::mouseClick(apply, Qt::LeftButton);
    QVERIFY(!m_host->isVirtualResolutionMode());
    QCOMPARE(m_host->size(), QSize(300, 200));

    modeBox->setCurrentIndex(VirtualResolutionDialog::VirtualResolutionMode);
    slider->setValue(5);
    QTest::mouseClick(apply, Qt::LeftButton);
    QVERIFY(m_host->isVirtualResolutionMode());
    QCOMPARE(m_host->geometry(), QRect(0, 0, 1600, 1200));

    // Switching on again later takes the dialog's resolution, not the default.
    modeBox->setCurrentIndex(VirtualResolutionDialog::NormalMode);
    QTest::mouseClick(apply, Qt::LeftButton);
    QVERIFY(!m_host->isVirtualResolutionMode());
    QCOMPARE(m_host->pos(), QPoint(50, 50));
    slider->setValue(2);
    m_host->slotSetVirtualResolutionMode(true);
    QCOMPARE(m_host->geometry(), QRect(0, 0, 1280, 800));

    // The same dialog comes back.
    m_host->slotShowSettingsDialog();
    QCOMPARE(topLevel<VirtualResolutionDialog>(), dialog);
}

void tst_HybridWidget::destroyedInVirtualModeDeletesEverythingOnce()
{
    m_host->slotShowSettingsDialog();
    m_host->slotSetVirtualResolutionMode(true);
    QVERIFY(m_view->isVisible());
    // cleanup() deletes the host in virtual mode; the sanitizer reports a second deletion.
}

TARSEL_APP_TEST_MAIN(tst_HybridWidget)
#include "tst_HybridWidget.moc"
