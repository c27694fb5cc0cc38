#pragma once

#include <QLabel>
#include <QTimer>

#include <memory>

class QMovie;

namespace QMWidgets {

// A label that plays a movie file while it is visible, scaled to leave a margin, and can stop it a while
// after each show.
class MovieLabel : public QLabel
{
    Q_OBJECT

public:
    explicit MovieLabel(const QString &fileName, QWidget *parent = nullptr);
    ~MovieLabel() override;

    void setSpeed(int percent);
    // Milliseconds after each show; 0 or less plays until the label is hidden.
    void setStopAfter(int ms);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    std::unique_ptr<QMovie> m_movie;
    int m_stopDelay = -1;
    // A member rather than a free single shot, so that a hide can cancel a stop meant for an earlier showing.
    QTimer m_stopTimer;
};

} // namespace QMWidgets
