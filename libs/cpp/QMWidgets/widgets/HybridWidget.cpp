#include "QMWidgets/widgets/HybridWidget.h"

#include "QMWidgets/widgets/VirtualResolutionWidget.h"

#include <QBoxLayout>

namespace QMWidgets {

namespace {
const QPoint DefaultVirtualSize(1280, 800);
const QPoint NormalModePosition(50, 50);
}

HybridWidget::HybridWidget(QWidget *parent)
    : QWidget(parent)
{
    m_container = new QWidget;
    m_view = new VirtualResolutionWidget;
    m_view->setWidget(m_container);
    // The style sheet gives the host the dark ground of the kit's white labels; a plain widget paints none
    // unless asked.
    setAttribute(Qt::WA_StyledBackground);
    m_layout = new QVBoxLayout;
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    setLayout(m_layout);
}

HybridWidget::~HybridWidget()
{
    // In virtual mode the host is a child of the container, which goes with the view: leave it first,
    // or the view would delete the host a second time.
    if (m_virtualMode)
        setParent(nullptr);
    delete m_view;
    delete m_dialog;
}

void HybridWidget::addWidget(QWidget *widget)
{
    m_layout->addWidget(widget);
}

void HybridWidget::setWindowTitle(const QString &title)
{
    QWidget::setWindowTitle(title);
    m_view->setWindowTitle(title);
}

bool HybridWidget::isVirtualResolutionMode() const
{
    return m_virtualMode;
}

void HybridWidget::setVirtualSize(const QPoint &size)
{
    m_view->slotSetSize(size);
    setGeometry(QRect(QPoint(0, 0), m_container->size()));
}

void HybridWidget::slotSetVirtualResolutionMode(bool on)
{
    if (on == m_virtualMode)
        return;
    if (on) {
        m_normalGeometry = QRect(QPoint(0, 0), size());
        hide();
        m_container->setFixedSize(size());
        setParent(m_container);
        m_view->show();
        show();
        setVirtualSize(m_dialog ? m_dialog->virtualResolution() : DefaultVirtualSize);
        setGeometry(QRect(QPoint(0, 0), m_container->size()));
        m_virtualMode = true;
    } else {
        setParent(nullptr);
        setGeometry(m_normalGeometry);
        move(NormalModePosition);
        show();
        m_view->hide();
        m_virtualMode = false;
    }
}

void HybridWidget::slotShowFullScreenMode(bool on)
{
    m_fullScreen = on;
    QWidget *window = m_virtualMode ? static_cast<QWidget *>(m_view) : this;
    if (on)
        window->showFullScreen();
    else
        window->showNormal();
}

void HybridWidget::slotSetSize(QPoint size)
{
    if (m_virtualMode)
        setVirtualSize(size);
}

void HybridWidget::slotSetMode(VirtualResolutionDialog::Mode mode)
{
    slotSetVirtualResolutionMode(mode == VirtualResolutionDialog::VirtualResolutionMode);
}

void HybridWidget::slotSetSettings()
{
    slotSetMode(m_dialog->mode());
    if (m_virtualMode)
        setVirtualSize(m_dialog->virtualResolution());
}

void HybridWidget::slotShowSettingsDialog()
{
    if (!m_dialog) {
        m_dialog = new VirtualResolutionDialog;
        connect(m_dialog, SIGNAL(changeSettings()), this, SLOT(slotSetSettings()));
    }
    m_dialog->raise();
    m_dialog->activateWindow();
    m_dialog->show();
}

} // namespace QMWidgets
