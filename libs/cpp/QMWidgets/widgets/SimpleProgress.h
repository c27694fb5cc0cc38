#pragma once

#include <QWidget>

namespace QMWidgets {

// A horizontal bar: a green fill for its value, or, at value 0, diagonal stripes that move while it is busy.
// An optional caption is printed over it, elided in the middle.
class SimpleProgress : public QWidget
{
    Q_OBJECT

public:
    explicit SimpleProgress(QWidget *parent = nullptr);

    int value() const;
    void setValue(const int &value);
    // Takes effect at the next repaint.
    void setText(const QString &text);

protected:
    void timerEvent(QTimerEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void startStripes();
    void stopStripes();

    int m_value = 0;
    QString m_text;
    int m_step = 0;
    int m_stripeTimer = 0;
};

} // namespace QMWidgets
