#include "QMWidgets/widgets/ResolutionSetupWidget.h"

#include <QBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>

namespace QMWidgets {

namespace {

const int MinimumSide = 100;
const int MaximumSide = 30000;

QSpinBox *sideBox()
{
    auto *box = new QSpinBox;
    box->setRange(MinimumSide, MaximumSide);
    return box;
}

QHBoxLayout *tightRow()
{
    auto *row = new QHBoxLayout;
    row->setContentsMargins(1, 1, 1, 1);
    row->setSpacing(1);
    return row;
}

} // namespace

ResolutionSetupWidget::ResolutionSetupWidget(QWidget *parent)
    : QGroupBox(parent)
{
    m_slider = new QSlider(Qt::Horizontal);
    m_slider->setTickInterval(1);
    m_slider->setTickPosition(QSlider::TicksBelow);
    connect(m_slider, SIGNAL(valueChanged(int)), this, SLOT(slotValueChanged(int)));

    m_widthBox = sideBox();
    m_heightBox = sideBox();
    auto *timesLabel = new QLabel(QStringLiteral("x"));
    // As wide as its sign: a fixed ten pixels cut the "x" down to something like a colon.
    timesLabel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);

    QHBoxLayout *sliderRow = tightRow();
    sliderRow->addWidget(new QLabel(tr("Low")));
    sliderRow->addWidget(m_slider);
    sliderRow->addWidget(new QLabel(tr("High")));

    QHBoxLayout *boxRow = tightRow();
    boxRow->addWidget(m_widthBox);
    boxRow->addWidget(timesLabel);
    boxRow->addWidget(m_heightBox);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(1);
    layout->addLayout(sliderRow);
    layout->addLayout(boxRow);
}

void ResolutionSetupWidget::addResolution(int width, int height)
{
    m_widths.append(width);
    m_heights.append(height);
    m_slider->setRange(0, m_widths.size() - 1);
    m_widthBox->setValue(m_widths.first());
    m_heightBox->setValue(m_heights.first());
}

QPoint ResolutionSetupWidget::resolution() const
{
    return QPoint(m_widthBox->value(), m_heightBox->value());
}

void ResolutionSetupWidget::slotValueChanged(int index)
{
    // A group without presets keeps the slider's default range of 0 to 99.
    if (index < 0 || index >= m_widths.size())
        return;
    m_widthBox->setValue(m_widths.at(index));
    m_heightBox->setValue(m_heights.at(index));
    emit resolutionChanged(resolution());
}

} // namespace QMWidgets
