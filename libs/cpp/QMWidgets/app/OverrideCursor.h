#pragma once

class QCursor;

namespace QMWidgets {

// One owner's cursor on the application's override-cursor stack. The owner keeps at most one entry
// there and takes it off again (at the latest when it goes), so whatever cursor was in force before
// shows again and the rest of the program never keeps a cursor it did not ask for.
class OverrideCursor
{
public:
    OverrideCursor() = default;
    ~OverrideCursor();
    OverrideCursor(const OverrideCursor &) = delete;
    OverrideCursor &operator=(const OverrideCursor &) = delete;

    // Pushes the cursor, or replaces the owner's entry when it has one.
    void set(const QCursor &cursor);
    void release();

private:
    bool m_pushed = false;
};

} // namespace QMWidgets
