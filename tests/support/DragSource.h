#pragma once

#include <QStringList>
#include <QWidget>

// Starts a drag on a move with the left button held, as a drag source does, and logs the presses and
// moves it receives.
//
// LeavePending keeps the drag with its source without running it, as it is while a platform runs it.
// Execute runs it with QDrag::exec, as item views and most real sources do: the offscreen platform ends it
// at once, an X server waits in exec for a mouse release. Either way the source logs when exec is over.
class DragSource : public QWidget
{
public:
    enum class Start { LeavePending, Execute };

    explicit DragSource(QStringList *log, QWidget *parent = nullptr, Start start = Start::LeavePending);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QStringList *m_log;
    Start m_start;
};
