#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace QMWidgets {

// A progress bar with a stop button that gives way to a status label when the work ends or is stopped.
class ComboProgress : public QWidget
{
    Q_OBJECT

public:
    explicit ComboProgress(QWidget *parent = nullptr);

    void setIdle(bool idle);
    bool isStopped() const;
    int value() const;
    QLabel *label() const;

public slots:
    void slotSetProgress(int value);
    void slotStopPressed();

private:
    QProgressBar *m_bar;
    QPushButton *m_stop;
    QLabel *m_label;
    bool m_stopped = false;
};

} // namespace QMWidgets
