#pragma once

#include <QPointer>
#include <QSize>
#include <QSizePolicy>

class QObject;
class QWidget;

namespace QMMistlark {

// What a write to a widget may change of its window's size, taken before the write: the window's size, to go back
// to when the write is taken back (a minimum size that is taken back leaves the window as large as it made it), and
// the widget's own size constraints. A write that left those as they were grew no window, unless the widget holds
// widgets that its style or font passes on to; the layouts are then not settled for it.
class WriteScope
{
public:
    explicit WriteScope(const QObject *object);

    // False when the write cannot have made the window larger: its extent need not be looked at.
    bool mayHaveGrown() const;
    // Gives the window back the size it had, once the write has been taken back.
    void restore() const;

private:
    struct Constraints
    {
        QSize sizeHint, minimumSizeHint, minimumSize, maximumSize, size;
        QSizePolicy policy;
        bool hidden = false;

        bool operator!=(const Constraints &other) const;
    };

    Constraints constraints() const;

    QPointer<const QWidget> m_widget;
    QPointer<QWidget> m_window;
    QSize m_size;
    Constraints m_constraints;
};

} // namespace QMMistlark
