#pragma once

#include <QGroupBox>
#include <QPoint>
#include <QVector>

class QSlider;
class QSpinBox;

namespace QMWidgets {

// A group with a slider over preset resolutions and width and height boxes that show the chosen one
// and can be edited by hand.
class ResolutionSetupWidget : public QGroupBox
{
    Q_OBJECT

public:
    explicit ResolutionSetupWidget(QWidget *parent = nullptr);

    void addResolution(int width, int height);
    // x the width box, y the height box.
    QPoint resolution() const;

signals:
    void resolutionChanged(QPoint resolution);

public slots:
    void slotValueChanged(int index);

private:
    QVector<int> m_widths;
    QVector<int> m_heights;
    QSlider *m_slider = nullptr;
    QSpinBox *m_widthBox = nullptr;
    QSpinBox *m_heightBox = nullptr;
};

} // namespace QMWidgets
