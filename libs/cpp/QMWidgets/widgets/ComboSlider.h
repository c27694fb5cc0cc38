#pragma once

#include <QFrame>

class QLabel;
class QSlider;
class QSpinBox;

namespace QMWidgets {

// A captioned slider coupled to a spin box, with an optional unit; each new value is reported once.
class ComboSlider : public QFrame
{
    Q_OBJECT

public:
    explicit ComboSlider(const QString &caption = QString(), QWidget *parent = nullptr);

    void setUnitText(const QString &text);
    void setRange(int minimum, int maximum);
    void setValue(int value);
    int value() const;
    void setSingleStep(int step);
    void setTickInterval(int interval);

signals:
    void sliderMoved(int value);

public slots:
    void slotSpinValueChanged(int value);

private:
    QLabel *m_caption;
    QSlider *m_slider;
    QSpinBox *m_spin;
    QLabel *m_unit;
};

} // namespace QMWidgets
