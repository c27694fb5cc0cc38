#include "MGraphX/ImageProcess.h"
#include "MGraphX/ProgressLine.h"

#include <QtTest>

using MGraphX::ImageProcess;
using MGraphX::ProgressLine;

// An 8-bit plane drawn on with 1 and shown as text, a row a line: '#' for set, '.' for 0.
static QStringList rows(const ImageProcess &plane)
{
    QStringList result;
    for (int y = 0; y < plane.height(); ++y) {
        QString row;
        for (int x = 0; x < plane.width(); ++x)
            row += plane.pixel(x, y) ? QLatin1Char('#') : QLatin1Char('.');
        result << row;
    }
    return result;
}

// Counts the calls that reach the plane, to tell drawing that repeats a pixel from drawing nothing.
class CountingPlane : public ImageProcess
{
public:
    CountingPlane(int w, int h)
        : ImageProcess(8, w, h, 0)
    {
    }
    void setPixel(int x, int y, int value) override
    {
        ++calls;
        ImageProcess::setPixel(x, y, value);
    }
    int calls = 0;
};

// The fills as the midpoint walk draws them, one step per column of the radius, each span clipped
// to the size: the reference that the row-by-row drawing must match pixel for pixel.
static QStringList walkedFill(QSize size, bool circle, long long cx, long long cy, long long rx, long long ry)
{
    QStringList grid;
    for (int y = 0; y < size.height(); ++y)
        grid << QString(size.width(), QLatin1Char('.'));
    const auto span = [&](long long x0, long long x1, long long y) {
        if (y < 0 || y >= size.height())
            return;
        for (long long x = std::max(x0, 0LL); x < std::min<long long>(x1, size.width()); ++x)
            grid[int(y)][int(x)] = QLatin1Char('#');
    };
    const bool wide = !circle && ry < rx;
    const long long major = wide ? rx : ry;
    const long long k = circle ? 65536 : (major > 0 ? ((wide ? ry : rx) << 16) / major : 0);
    long long x = 0, y = major, d = major;
    while (x <= y) {
        if (d < 0) {
            y -= 1;
            d += 2 * y;
        }
        const long long stepRow = wide ? (k * x) >> 16 : x;
        const long long yWidth = wide ? y : (k * y) >> 16;
        const long long yRow = wide ? (k * y) >> 16 : y;
        const long long stepWidth = wide ? x : (k * x) >> 16;
        for (const long long sign : {-1, 1}) {
            span(cx - yWidth, cx + yWidth, cy + sign * stepRow);
            span(cx - stepWidth, cx + stepWidth, cy + sign * yRow);
        }
        if (circle) {
            x += 1;
            d -= 2 * x;
        } else {
            d -= 1 + 2 * x;
            x += 1;
        }
    }
    return grid;
}

static QStringList blank(QSize size)
{
    QStringList grid;
    for (int y = 0; y < size.height(); ++y)
        grid << QString(size.width(), QLatin1Char('.'));
    return grid;
}

static void mark(QStringList &grid, long long x, long long y)
{
    if (y >= 0 && y < grid.size() && x >= 0 && x < grid.at(int(y)).size())
        grid[int(y)][int(x)] = QLatin1Char('#');
}

// The line as Bresenham walks it from end to end, every pixel visited: the reference for the clipped walk.
static QStringList walkedLine(QSize size, long long x0, long long y0, long long x1, long long y1)
{
    QStringList grid = blank(size);
    const bool xMajor = std::llabs(x1 - x0) > std::llabs(y1 - y0);
    if (!xMajor) {
        std::swap(x0, y0);
        std::swap(x1, y1);
    }
    if (x0 > x1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    const long long step = y0 > y1 ? -1 : 1;
    const long long a = 2 * std::llabs(y1 - y0);
    const long long b = 2 * (x1 - x0);
    long long error = x1 - x0;
    long long minor = y0;
    for (long long major = x0; major <= x1; ++major) {
        if (xMajor)
            mark(grid, major, minor);
        else
            mark(grid, minor, major);
        error -= a;
        if (error <= 0) {
            error += b;
            minor += step;
        }
    }
    return grid;
}

// The outline as the midpoint walk visits it, all eight points at every step.
static QStringList walkedOutline(QSize size, long long cx, long long cy, long long rx, long long ry)
{
    QStringList grid = blank(size);
    const bool wide = ry < rx;
    const long long major = wide ? rx : ry;
    const long long k = major > 0 ? ((wide ? ry : rx) << 16) / major : 0;
    long long x = 0, y = major, d = major, s = 0;
    while (x <= y) {
        if (d < 0) {
            y -= 1;
            d += 2 * y;
        }
        const long long pairs[2][2] = {{wide ? x : s >> 16, wide ? (y * k) >> 16 : y},
                                       {wide ? y : (y * k) >> 16, wide ? s >> 16 : x}};
        for (const auto &pair : pairs)
            for (const long long sx : {-1, 1})
                for (const long long sy : {-1, 1})
                    mark(grid, cx + sx * pair[0], cy + sy * pair[1]);
        d -= 1 + 2 * x;
        s += k;
        x += 1;
    }
    return grid;
}

// Fails the drawing as soon as it has reached the plane more often than the bound: a walk of the whole
// radius or length ends at once instead of running for minutes.
class BoundedPlane : public ImageProcess
{
public:
    struct TooManyCalls
    {
    };
    BoundedPlane(int w, int h, int bound)
        : ImageProcess(8, w, h, 0)
        , m_bound(bound)
    {
    }
    void setPixel(int x, int y, int value) override
    {
        if (++calls > m_bound)
            throw TooManyCalls();
        ImageProcess::setPixel(x, y, value);
    }
    int calls = 0;

private:
    int m_bound;
};

static QStringList filled(QSize size, bool circle, int cx, int cy, int rx, int ry)
{
    ImageProcess plane(8, size.width(), size.height(), 0);
    if (circle)
        plane.fillCircle(cx, cy, rx, 1);
    else
        plane.fillEllipse(cx, cy, rx, ry, 1);
    return rows(plane);
}

class tst_GraphX : public QObject
{
    Q_OBJECT

private slots:
    void shapes_data();
    void shapes();
    void zeroCircleSetsTheCentreEightTimes();
    void tallEllipseIsTheWideOneTransposed();
    void fillsMatchTheWalk();
    void fillsFarBeyondThePlane_data();
    void fillsFarBeyondThePlane();
    void outlinesMatchTheWalk();
    void outlinesFarBeyondThePlane_data();
    void outlinesFarBeyondThePlane();
    void floodFillStaysInItsRegion();
    void floodFillOfAnEmptyPlaneStopsAtTheEdges();
    void floodFillGuards_data();
    void floodFillGuards();
    void floodFillOfAWindingRegion();
    void progress_data();
    void progress();
};

enum Shape { Line, HLine, VLine, Rect, FillRect, Circle, FilledCircle, Ellipse, FilledEllipse };
Q_DECLARE_METATYPE(Shape)

void tst_GraphX::shapes_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<Shape>("shape");
    QTest::addColumn<QVector<int>>("args");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("x-major line ends at its end point")
        << QSize(4, 2) << Line << QVector<int>{0, 0, 3, 1} << QStringList{"##..", "..##"};
    QTest::newRow("line drawn from its other end")
        << QSize(4, 2) << Line << QVector<int>{3, 1, 0, 0} << QStringList{"##..", "..##"};
    QTest::newRow("equal spans are y-major")
        << QSize(3, 3) << Line << QVector<int>{0, 2, 2, 0} << QStringList{"..#", ".#.", "#.."};
    QTest::newRow("y-major line")
        << QSize(2, 4) << Line << QVector<int>{0, 0, 1, 3} << QStringList{"#.", "#.", ".#", ".#"};
    QTest::newRow("hline excludes its right end")
        << QSize(5, 1) << HLine << QVector<int>{1, 4, 0} << QStringList{".###."};
    QTest::newRow("hline of no length") << QSize(5, 1) << HLine << QVector<int>{2, 2, 0} << QStringList{"....."};
    QTest::newRow("vline excludes its bottom end")
        << QSize(1, 4) << VLine << QVector<int>{0, 2, 0} << QStringList{"#", "#", ".", "."};
    QTest::newRow("rect is a closed outline")
        << QSize(6, 5) << Rect << QVector<int>{1, 1, 4, 3}
        << QStringList{"......", ".####.", ".#..#.", ".####.", "......"};
    QTest::newRow("rect of one pixel") << QSize(3, 3) << Rect << QVector<int>{1, 1, 1, 1} << QStringList{"...", ".#.", "..."};
    QTest::newRow("rect clipped at the edges")
        << QSize(3, 3) << Rect << QVector<int>{-1, -1, 3, 3} << QStringList{".#.", "##.", "..."};
    QTest::newRow("rect of no width") << QSize(3, 3) << Rect << QVector<int>{0, 0, 0, 3} << QStringList{"...", "...", "..."};
    QTest::newRow("fill rect") << QSize(4, 3) << FillRect << QVector<int>{1, 0, 2, 2} << QStringList{".##.", ".##.", "...."};
    QTest::newRow("fill rect of negative height")
        << QSize(4, 3) << FillRect << QVector<int>{1, 0, 2, -2} << QStringList{"....", "....", "...."};
    QTest::newRow("circle of radius 2")
        << QSize(5, 5) << Circle << QVector<int>{2, 2, 2}
        << QStringList{".###.", "#...#", "#...#", "#...#", ".###."};
    // Spans end one short on the right.
    QTest::newRow("filled circle of radius 2")
        << QSize(5, 5) << FilledCircle << QVector<int>{2, 2, 2}
        << QStringList{".##..", "####.", "####.", "####.", ".##.."};
    QTest::newRow("negative radius draws nothing") << QSize(3, 3) << Circle << QVector<int>{1, 1, -1} << QStringList{"...", "...", "..."};
    QTest::newRow("wide ellipse")
        << QSize(9, 5) << Ellipse << QVector<int>{4, 2, 4, 2}
        << QStringList{"..#####..", "##.....##", "#.......#", "##.....##", "..#####.."};
    QTest::newRow("filled wide ellipse")
        << QSize(9, 5) << FilledEllipse << QVector<int>{4, 2, 4, 2}
        << QStringList{"..####...", "########.", "########.", "########.", "..####..."};
    QTest::newRow("ellipse of radii 0 is its centre")
        << QSize(3, 3) << Ellipse << QVector<int>{1, 1, 0, 0} << QStringList{"...", ".#.", "..."};
}

void tst_GraphX::shapes()
{
    QFETCH(QSize, size);
    QFETCH(Shape, shape);
    QFETCH(QVector<int>, args);
    QFETCH(QStringList, expected);
    ImageProcess plane(8, size.width(), size.height(), 0);
    switch (shape) {
    case Line: plane.drawLine(args[0], args[1], args[2], args[3], 1); break;
    case HLine: plane.drawHLine(args[0], args[1], args[2], 1); break;
    case VLine: plane.drawVLine(args[0], args[1], args[2], 1); break;
    case Rect: plane.drawRect(args[0], args[1], args[2], args[3], 1); break;
    case FillRect: plane.fillRect(args[0], args[1], args[2], args[3], 1); break;
    case Circle: plane.drawCircle(args[0], args[1], args[2], 1); break;
    case FilledCircle: plane.fillCircle(args[0], args[1], args[2], 1); break;
    case Ellipse: plane.drawEllipse(args[0], args[1], args[2], args[3], 1); break;
    case FilledEllipse: plane.fillEllipse(args[0], args[1], args[2], args[3], 1); break;
    }
    QCOMPARE(rows(plane), expected);
}

void tst_GraphX::zeroCircleSetsTheCentreEightTimes()
{
    CountingPlane plane(3, 3);
    plane.drawCircle(1, 1, 0, 1);
    QCOMPARE(plane.calls, 8);
    QCOMPARE(rows(plane), (QStringList{"...", ".#.", "..."}));
}

void tst_GraphX::tallEllipseIsTheWideOneTransposed()
{
    ImageProcess wide(8, 9, 5, 0);
    wide.drawEllipse(4, 2, 4, 2, 1);
    ImageProcess tall(8, 5, 9, 0);
    tall.drawEllipse(2, 4, 2, 4, 1);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 9; ++x)
            QCOMPARE(tall.pixel(y, x), wide.pixel(x, y));
}

void tst_GraphX::fillsMatchTheWalk()
{
    const QSize size(23, 19);
    for (int r = 0; r <= 40; ++r) {
        for (const QPoint centre : {QPoint(11, 9), QPoint(-3, 4), QPoint(30, 25)}) {
            QCOMPARE(filled(size, true, centre.x(), centre.y(), r, r), walkedFill(size, true, centre.x(), centre.y(), r, r));
            for (int ry = 0; ry <= 30; ry += 3)
                QCOMPARE(filled(size, false, centre.x(), centre.y(), r, ry), walkedFill(size, false, centre.x(), centre.y(), r, ry));
        }
    }
}

void tst_GraphX::fillsFarBeyondThePlane_data()
{
    QTest::addColumn<bool>("circle");
    QTest::addColumn<QVector<int>>("args");
    QTest::addColumn<QStringList>("expected");
    const QSize size(100, 100);
    const int r = 4000000;
    const int diagonal = 2828427; // r / sqrt(2): the walk's last steps
    const auto walked = [&](bool circle, const QVector<int> &a) {
        return walkedFill(size, circle, a[0], a[1], a[2], a[3]);
    };
    const QVector<QVector<int>> circles = {
        {30, r + 50, r, r},                          // the top edge crosses the plane
        {r + 50, 40, r, r},                          // the left edge
        {diagonal + 50, diagonal + 50, r, r},        // the edge where the walk ends
    };
    const QVector<QVector<int>> ellipses = {
        {30, r / 2 + 50, r, r / 2},                  // wide, top edge
        {diagonal + 50, diagonal / 2 + 50, r, r / 2}, // wide, where the walk ends
        {r / 3 + 50, 40, r / 3, r},                  // tall, left edge
        {r + 50, 50, r, 300},                        // so flat that many steps share a row
    };
    for (const QVector<int> &a : circles)
        QTest::addRow("circle of %d at %d, %d", a[2], a[0], a[1]) << true << a << walked(true, a);
    for (const QVector<int> &a : ellipses)
        QTest::addRow("ellipse of %d x %d at %d, %d", a[2], a[3], a[0], a[1]) << false << a << walked(false, a);
    QStringList all;
    for (int y = 0; y < size.height(); ++y)
        all << QString(size.width(), QLatin1Char('#'));
    QTest::newRow("largest circle") << true << QVector<int>{50, 50, INT_MAX, INT_MAX} << all;
    QTest::newRow("largest ellipse") << false << QVector<int>{50, 50, INT_MAX, INT_MAX / 3} << all;
}

// The time follows the plane: a radius of billions takes as long as one of ten.
void tst_GraphX::fillsFarBeyondThePlane()
{
    QFETCH(bool, circle);
    QFETCH(QVector<int>, args);
    QFETCH(QStringList, expected);
    QCOMPARE(filled(QSize(100, 100), circle, args[0], args[1], args[2], args[3]), expected);
}

// Lines, circles and ellipses that start, end or are centred anywhere around the plane, near and far:
// the clipped drawing sets the pixels of the full walk that fall inside, no more and no fewer.
void tst_GraphX::outlinesMatchTheWalk()
{
    QRandomGenerator random(31);
    for (int run = 0; run < 3000; ++run) {
        const QSize size(1 + random.bounded(40), 1 + random.bounded(40));
        // Mostly near the plane, now and then far beyond it, so both the entry and the exit are cut.
        const int range = run % 5 == 0 ? 20000 : 3 * std::max(size.width(), size.height());
        const auto coordinate = [&] { return random.bounded(-range, range + 1); };
        const int x0 = coordinate(), y0 = coordinate(), x1 = coordinate(), y1 = coordinate();
        ImageProcess line(8, size.width(), size.height(), 0);
        line.drawLine(x0, y0, x1, y1, 1);
        QVERIFY2(rows(line) == walkedLine(size, x0, y0, x1, y1),
                 qPrintable(QStringLiteral("line %1,%2 to %3,%4 on %5x%6").arg(x0).arg(y0).arg(x1).arg(y1)
                                .arg(size.width()).arg(size.height())));
        const int rx = random.bounded(range + 1), ry = run % 3 == 0 ? rx : random.bounded(range + 1);
        ImageProcess outline(8, size.width(), size.height(), 0);
        if (rx == ry)
            outline.drawCircle(x0, y0, rx, 1);
        else
            outline.drawEllipse(x0, y0, rx, ry, 1);
        QVERIFY2(rows(outline) == walkedOutline(size, x0, y0, rx, ry),
                 qPrintable(QStringLiteral("outline %1 x %2 at %3,%4 on %5x%6").arg(rx).arg(ry).arg(x0).arg(y0)
                                .arg(size.width()).arg(size.height())));
    }
}

void tst_GraphX::outlinesFarBeyondThePlane_data()
{
    QTest::addColumn<Shape>("shape");
    QTest::addColumn<QVector<int>>("args");
    QTest::addColumn<QStringList>("expected");
    const QSize size(100, 100);
    QStringList none = blank(size);
    // The line rises 5 rows over 2^32 columns; the plane's 100 columns lie in the middle of its fourth row.
    QStringList middleRow = none;
    middleRow[3] = QString(100, QLatin1Char('#'));
    QStringList middleColumn = none;
    for (QString &row : middleColumn)
        row[3] = QLatin1Char('#');
    QTest::newRow("circle of radius 10^8 around the plane sets nothing")
        << Circle << QVector<int>{50, 50, 100000000} << none;
    QTest::newRow("line across the whole int range") << Line << QVector<int>{INT_MIN, 0, INT_MAX, 5} << middleRow;
    QTest::newRow("column across the whole int range") << Line << QVector<int>{0, INT_MIN, 5, INT_MAX} << middleColumn;
    // So flat that the ratio is 0: its top and bottom run along the centre row, its ends far away.
    QStringList centreRow = none;
    centreRow[50] = QString(100, QLatin1Char('#'));
    QTest::newRow("flat ellipse of 10^8 across the plane")
        << Ellipse << QVector<int>{50, 50, 100000000, 2} << centreRow;
    // Compared with the walk, which takes its time: far from the centre, but small enough to walk.
    QTest::newRow("circle's edge through the plane")
        << Circle << QVector<int>{3000050, 40, 3000000} << walkedOutline(size, 3000050, 40, 3000000, 3000000);
    QTest::newRow("ellipse's diagonal through the plane")
        << Ellipse << QVector<int>{2121370, 1060700, 3000000, 1500000}
        << walkedOutline(size, 2121370, 1060700, 3000000, 1500000);
}

// The cost follows the pixels the plane holds, not the radius or the length: each drawing may reach the
// plane a few times per row and column, and is stopped when it reaches it more often.
void tst_GraphX::outlinesFarBeyondThePlane()
{
    QFETCH(Shape, shape);
    QFETCH(QVector<int>, args);
    QFETCH(QStringList, expected);
    BoundedPlane plane(100, 100, 8 * 200);
    try {
        switch (shape) {
        case Line: plane.drawLine(args[0], args[1], args[2], args[3], 1); break;
        case Circle: plane.drawCircle(args[0], args[1], args[2], 1); break;
        case Ellipse: plane.drawEllipse(args[0], args[1], args[2], args[3], 1); break;
        default: QFAIL("no such shape here");
        }
    } catch (const BoundedPlane::TooManyCalls &) {
        QFAIL("the drawing walked far beyond the plane");
    }
    QCOMPARE(rows(plane), expected);
}

void tst_GraphX::floodFillStaysInItsRegion()
{
    ImageProcess plane(8, 7, 5, 0);
    plane.drawRect(1, 0, 5, 5, 1);
    plane.drawHLine(3, 5, 2, 1);
    plane.floodFill(4, 3, 2);
    QStringList actual;
    for (int y = 0; y < plane.height(); ++y) {
        QString row;
        for (int x = 0; x < plane.width(); ++x)
            row += QString::number(plane.pixel(x, y));
        actual << row;
    }
    QCOMPARE(actual, (QStringList{"0111110", "0122210", "0121110", "0122210", "0111110"}));
}

void tst_GraphX::floodFillOfAnEmptyPlaneStopsAtTheEdges()
{
    ImageProcess plane(8, 4, 3, 0);
    plane.floodFill(3, 2, 9);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            QCOMPARE(plane.pixel(x, y), 9);
}

void tst_GraphX::floodFillGuards_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("value");
    QTest::newRow("value equal to the seed's") << 1 << 1 << 5;
    QTest::newRow("value the plane cannot hold") << 1 << 1 << 5 + 256;
    QTest::newRow("seed outside the plane") << 3 << 0 << 7;
    QTest::newRow("negative seed") << -1 << 0 << 7;
}

void tst_GraphX::floodFillGuards()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, value);
    ImageProcess plane(8, 3, 3, 5);
    plane.floodFill(x, y, value);
    for (int py = 0; py < 3; ++py)
        for (int px = 0; px < 3; ++px)
            QCOMPARE(plane.pixel(px, py), 5);
}

void tst_GraphX::floodFillOfAWindingRegion()
{
    // Corridors one pixel wide joined alternately at the top and the bottom: a span per pixel, one
    // long chain that a fill recursing per span would follow to the end of the call stack.
    const int w = 801, h = 400;
    ImageProcess plane(8, w, h, 0);
    for (int x = 1; x < w; x += 2) {
        const bool openAtTheBottom = (x / 2) % 2 == 0;
        plane.drawVLine(openAtTheBottom ? 0 : 1, openAtTheBottom ? h - 1 : h, x, 1);
    }
    plane.floodFill(0, 0, 2);
    int filled = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            filled += plane.pixel(x, y) == 2;
    QCOMPARE(filled, (w + 1) / 2 * h + (w / 2));
    QCOMPARE(plane.pixel(w - 1, h - 1), 2);
    QCOMPARE(plane.pixel(1, 0), 1);
}

void tst_GraphX::progress_data()
{
    QTest::addColumn<QVector<int>>("sets");
    QTest::addColumn<QVector<int>>("adds");
    QTest::addColumn<int>("expected");
    QTest::newRow("never goes back")        << QVector<int>{70, 50} << QVector<int>{} << 70;
    QTest::newRow("limited to 100")         << QVector<int>{150} << QVector<int>{} << 100;
    QTest::newRow("negative set ignored")   << QVector<int>{20, -5} << QVector<int>{} << 20;
    QTest::newRow("negative add ignored")   << QVector<int>{20} << QVector<int>{-5} << 20;
    QTest::newRow("adds limited to 100")    << QVector<int>{90} << QVector<int>{5, INT_MAX} << 100;
    QTest::newRow("adds accumulate")        << QVector<int>{} << QVector<int>{30, 12} << 42;
}

void tst_GraphX::progress()
{
    QFETCH(QVector<int>, sets);
    QFETCH(QVector<int>, adds);
    QFETCH(int, expected);
    ProgressLine line(1, 2, 3, 4, 5);
    QCOMPARE(line.progress(), 0);
    for (int v : sets)
        line.setProgress(v);
    for (int d : adds)
        line.addProgress(d);
    QCOMPARE(line.progress(), expected);
}

QTEST_MAIN(tst_GraphX)
#include "tst_GraphX.moc"
