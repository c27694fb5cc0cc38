#pragma once

#include <QList>
#include <QPair>
#include <QString>

class QObject;

// The resources that a style sheet or a rich text may name to freeze the program or make it swallow memory,
// one row each of a test table (column "resource"): a named pipe, whose opening waits for a writer for ever;
// /proc/self/pagemap, which reports no size and runs to gigabytes; a picture file over the bound (a sparse
// black PPM of 270 MB, which a reader without the bound decodes whole); and a PNG of 900 KB that holds more
// than 200 million pixels. A route runs each row in a child process (RUN_ROW_IN_CHILD) and is held to the
// memory limit of RouteCost; how fast a route refuses is measured in bench/, not here:
//
//     void tst_X::hostileResourcesAreNotLoaded_data() { addHostileResourceRows(); }
//     void tst_X::hostileResourcesAreNotLoaded()
//     {
//         RUN_ROW_IN_CHILD(HostileRowTimeoutMs);
//         const HostileResource hostile = makeHostileResource(folder);
//         const RouteCost cost;
//         ... show richTextShowing(hostile.path), or apply styleSheetDrawing(hostile.path) ...
//         QVERIFY2(cost.excess().isEmpty(), qPrintable(cost.excess()));
//     }
void addHostileResourceRows();

// The same resources as pairs of a row's name and its "resource" value, for a table that crosses them with more.
QList<QPair<QString, QString>> hostileResources();

// A child that does not finish in this time has hung: a route without bounds waits on the pipe for ever. Far
// above what a row takes under the sanitizers with the whole suite running on two cores.
constexpr int HostileRowTimeoutMs = 60000;

struct HostileResource
{
    QString path;   // the file to name
    QString reason; // a part of any refusal's message, saying why
};

// Makes the current row's resource in the folder.
HostileResource makeHostileResource(const QString &folder);

// Rich text that shows the file as a picture between two paragraphs, and a style sheet that draws it behind
// every widget.
QString richTextShowing(const QString &path);
QString styleSheetDrawing(const QString &path);

// Arms the next modal dialog to be drawn once, as its first paint would, and closed; *drawn tells afterwards
// whether it was. For routes that show their text in a modal dialog.
void drawAndCloseNextModal(QObject *context, bool *drawn);

// The process's peak resident size so far, from the kernel's own count.
qint64 peakResidentBytes();

// What a route takes from the construction of this object on: at most 512 MB more at its peak, far below what
// any hostile row costs a route that loads it.
class RouteCost
{
public:
    RouteCost();
    // Empty within the limits; otherwise what was spent.
    QString excess() const;

private:
    qint64 m_peakBefore;
};
