#pragma once

#include <QObject>

namespace QMMistlark {

// Holds every window of the application within widgetExtentBound(), whatever made it grow: a property write, a
// layout that adds up its children's minimum sizes, a style sheet. A window of millions of pixels a side cannot
// be painted: its backing store alone would take gigabytes. The writes of a script are taken back with a script
// error before this; the guard sits where every road passes, the window's resize.
class WindowExtentGuard : public QObject
{
public:
    // Watches the application from the first call on; later calls change nothing.
    static void install();
    // How many layout requests the application has handled since install(): a pass over the posted ones that
    // handled none leaves nothing to settle.
    static quint64 layoutRequestsHandled();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace QMMistlark
