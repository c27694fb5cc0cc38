#include "QMWidgets/widgets/ComboProgress.h"

#include "QMWidgets/style/StyleHelpers.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace QMWidgets {

ComboProgress::ComboProgress(QWidget *parent)
    : QWidget(parent)
{
    m_bar = new QProgressBar;
    m_stop = new QPushButton;
    m_label = new QLabel;
    setNameAndToolTip(m_stop, QStringLiteral("ComboProgressStop"), tr("Stop"));
    m_stop->setFixedSize(20, 20);
    m_stop->setFlat(true);
    connect(m_stop, SIGNAL(clicked()), this, SLOT(slotStopPressed()));
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(m_bar);
    row->addWidget(m_stop);
    row->addWidget(m_label);
    setLayout(row);
    setIdle(true);
}

void ComboProgress::setIdle(bool idle)
{
    m_label->setVisible(idle);
    m_bar->setVisible(!idle);
    m_stop->setVisible(!idle);
}

bool ComboProgress::isStopped() const
{
    return m_stopped;
}

int ComboProgress::value() const
{
    return m_bar->value();
}

QLabel *ComboProgress::label() const
{
    return m_label;
}

// The label's own hidden state, not isVisible(): before the first show nothing is visible, and a
// value set then must still switch to the bar.
void ComboProgress::slotSetProgress(int value)
{
    if (value >= 100) {
        setIdle(true);
        return;
    }
    if (!m_label->isHidden())
        setIdle(false);
    m_stopped = false;
    m_bar->setValue(value);
}

void ComboProgress::slotStopPressed()
{
    m_stopped = true;
    if (m_label->isHidden())
        setIdle(true);
}

} // namespace QMWidgets
