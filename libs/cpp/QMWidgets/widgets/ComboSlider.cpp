#include "QMWidgets/widgets/ComboSlider.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

namespace QMWidgets {

ComboSlider::ComboSlider(const QString &caption, QWidget *parent)
    : QFrame(parent)
{
    m_caption = new QLabel(caption);
    m_slider = new QSlider(Qt::Horizontal);
    m_spin = new QSpinBox;
    m_unit = new QLabel(QString());
    m_unit->hide();
    m_slider->setTickPosition(QSlider::TicksBothSides);
    m_slider->setTickInterval(20);
    if (caption.isEmpty())
        m_caption->hide();
    connect(m_slider, SIGNAL(valueChanged(int)), m_spin, SLOT(setValue(int)));
    connect(m_spin, SIGNAL(valueChanged(int)), this, SLOT(slotSpinValueChanged(int)));
    auto *row = new QHBoxLayout;
    row->setSpacing(0);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_caption);
    row->addWidget(m_slider);
    row->addWidget(m_spin);
    row->addWidget(m_unit);
    setLayout(row);
}

void ComboSlider::setUnitText(const QString &text)
{
    if (text.isEmpty()) {
        m_unit->hide();
        return;
    }
    m_unit->setText(text);
    m_unit->show();
}

void ComboSlider::setRange(int minimum, int maximum)
{
    // The slider clamps first; passing that on to a spin box with the old range would report a value
    // outside the new one. The spin box clamps to the new range and reports from there.
    {
        const QSignalBlocker block(m_slider);
        m_slider->setRange(minimum, maximum);
    }
    m_spin->setRange(minimum, maximum);
    if (m_spin->value() != m_slider->value())
        m_spin->setValue(m_slider->value());
}

void ComboSlider::setValue(int value)
{
    m_slider->setValue(value);
    m_spin->setValue(value);
}

int ComboSlider::value() const
{
    return m_slider->value();
}

void ComboSlider::setSingleStep(int step)
{
    m_slider->setSingleStep(step);
}

void ComboSlider::setTickInterval(int interval)
{
    m_slider->setTickInterval(interval);
}

void ComboSlider::slotSpinValueChanged(int value)
{
    {
        const QSignalBlocker block(m_slider);
        m_slider->setValue(value);
    }
    // Last: an owner may delete the slider on it, and the blocker would touch the freed slider.
    emit sliderMoved(value);
}

} // namespace QMWidgets
