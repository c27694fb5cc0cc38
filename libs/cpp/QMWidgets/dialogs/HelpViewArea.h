#pragma once

#include <QFrame>

class QButtonGroup;
class QHBoxLayout;
class QSignalMapper;
class QTimer;

namespace QMWidgets {

class HelpDisplay;

// The slide show: the display, a numbered button per slide, and a timer that moves on every 5 seconds.
class HelpViewArea : public QFrame
{
    Q_OBJECT

public:
    explicit HelpViewArea(QWidget *parent);
    ~HelpViewArea() override;

    void addSlide(const QString &path);

public slots:
    void slotButtonClicked();
    void slotShowSlide(const QString &path);
    void slotShowNextSlide();
    void slotStartSlideShow();
    void slotStopSlideShow();

private:
    QTimer *m_timer = nullptr;
    HelpDisplay *m_display = nullptr;
    QHBoxLayout *m_buttonRow = nullptr;
    QButtonGroup *m_group = nullptr;
    QSignalMapper *m_mapper = nullptr;
    int m_slideCount = 0;
};

} // namespace QMWidgets
