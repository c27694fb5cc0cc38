#pragma once

#include <QWidget>

namespace QMWidgets {

// A round gauge that fills a green pie clockwise from 12 o'clock and prints "N%" in its middle.
// The value is a percentage and is drawn as given: above 100 the pie wraps, below 0 it turns counter-clockwise.
class RoundProgress : public QWidget
{
    Q_OBJECT

public:
    explicit RoundProgress(QWidget *parent = nullptr);

    int value() const;
    void setValue(const int &value);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_value = 0;
};

} // namespace QMWidgets
