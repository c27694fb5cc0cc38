#include "MGraphX/GraphX.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace MGraphX {

namespace {

bool fitsInt(long long v)
{
    return v >= INT_MIN && v <= INT_MAX;
}

} // namespace

GraphX::~GraphX() = default;

void GraphX::setPixel(int, int, int) {}

int GraphX::pixel(int, int) const
{
    return 0;
}

int GraphX::classValue() const
{
    return 0;
}

int GraphX::classValue2() const
{
    return 0;
}

bool GraphX::classFlag() const
{
    return false;
}

void GraphX::dispatchHooks()
{
    int first = 0;
    int second = 0;
    hookPair(first, second);
}

void GraphX::hookPair(int &, int &) {}
void GraphX::hookQuad(int, int, int, int) {}
void GraphX::hookSingle(int) {}
void GraphX::hookSingle2(int) {}
void GraphX::hookSix(int, int, int, int, int, int) {}

int GraphX::width() const
{
    return 0;
}

int GraphX::height() const
{
    return 0;
}

// The first n in lo .. hi for which the test holds, hi + 1 when none; the test holds from some n on.
template<typename Test>
static long long firstTrue(long long lo, long long hi, const Test &test)
{
    while (lo <= hi) {
        const long long mid = lo + (hi - lo) / 2;
        if (test(mid))
            hi = mid - 1;
        else
            lo = mid + 1;
    }
    return lo;
}

// The pixels that can show on an axis: the plane's when it knows its size, any int otherwise.
static void reach(int size, long long &lo, long long &hi)
{
    lo = size > 0 ? 0 : INT_MIN;
    hi = size > 0 ? size - 1 : INT_MAX;
}

static long long floorDiv(__int128 a, long long b)
{
    __int128 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return (long long)q;
}

void GraphX::drawLine(int x0, int y0, int x1, int y1, int value)
{
    // 64-bit arithmetic: the doubled spans of far-apart end points do not fit an int.
    long long ax0 = x0, ay0 = y0, ax1 = x1, ay1 = y1;
    const bool xMajor = std::llabs(ax1 - ax0) > std::llabs(ay1 - ay0);
    if (!xMajor) {
        std::swap(ax0, ay0);
        std::swap(ax1, ay1);
    }
    if (ax0 > ax1) {
        std::swap(ax0, ax1);
        std::swap(ay0, ay1);
    }
    const long long span = ax1 - ax0;
    const long long step = ay0 > ay1 ? -1 : 1;
    const long long a = 2 * std::llabs(ay1 - ay0);
    const long long b = 2 * span;
    // The error stays within (0, b] after every step, so the minor steps taken in the first i steps are
    // floor((i a - span) / b) + 1: the walk can start where the line enters the plane, with the same
    // pixels as from its end point.
    const auto minorSteps = [&](long long i) { return b == 0 ? 0 : floorDiv(__int128(i) * a - span, b) + 1; };
    const auto minorAt = [&](long long i) { return ay0 + step * minorSteps(i); };
    long long majorLo, majorHi, minorLo, minorHi;
    reach(xMajor ? width() : height(), majorLo, majorHi);
    reach(xMajor ? height() : width(), minorLo, minorHi);
    long long first = std::max(0LL, majorLo - ax0);
    long long last = std::min(span, majorHi - ax0);
    if (step > 0) {
        first = firstTrue(first, last, [&](long long i) { return minorAt(i) >= minorLo; });
        last = firstTrue(first, last, [&](long long i) { return minorAt(i) > minorHi; }) - 1;
    } else {
        first = firstTrue(first, last, [&](long long i) { return minorAt(i) <= minorHi; });
        last = firstTrue(first, last, [&](long long i) { return minorAt(i) < minorLo; }) - 1;
    }
    if (first > last)
        return;
    long long error = (long long)(__int128(span) - __int128(first) * a + __int128(minorSteps(first)) * b);
    long long minor = minorAt(first);
    for (long long major = ax0 + first; major <= ax0 + last; ++major) {
        if (xMajor)
            setPixel(int(major), int(minor), value);
        else
            setPixel(int(minor), int(major), value);
        error -= a;
        if (error <= 0) {
            error += b;
            minor += step;
        }
    }
}

// The run from .. to - 1, cut to 0 .. limit - 1 when the area is known: planes ignore pixels
// outside, and skipping them keeps a huge span from taking forever.
static void clip(long long &from, long long &to, int limit)
{
    if (limit > 0) {
        from = std::max<long long>(from, 0);
        to = std::min<long long>(to, limit);
    }
}

void GraphX::drawHLine(int x0, int x1, int y, int value)
{
    if (height() > 0 && (y < 0 || y >= height()))
        return;
    long long from = x0, to = x1;
    clip(from, to, width());
    for (long long x = from; x < to; ++x)
        setPixel(int(x), y, value);
}

void GraphX::drawVLine(int y0, int y1, int x, int value)
{
    if (width() > 0 && (x < 0 || x >= width()))
        return;
    long long from = y0, to = y1;
    clip(from, to, height());
    for (long long y = from; y < to; ++y)
        setPixel(x, int(y), value);
}

void GraphX::drawRect(int x, int y, int w, int h, int value)
{
    if (w <= 0 || h <= 0)
        return;
    const long long right = (long long)x + w - 1;
    const long long bottom = (long long)y + h - 1;
    if (!fitsInt(right) || !fitsInt(bottom))
        return;
    drawHLine(x, int(right) + (right < INT_MAX ? 1 : 0), y, value);
    if (h > 1)
        drawHLine(x, int(right) + (right < INT_MAX ? 1 : 0), int(bottom), value);
    drawVLine(y + 1, int(bottom), x, value);
    if (w > 1)
        drawVLine(y + 1, int(bottom), int(right), value);
}

void GraphX::fillRect(int x, int y, int w, int h, int value)
{
    if (w <= 0 || h <= 0)
        return;
    const long long right = (long long)x + w;
    long long top = y;
    long long end = (long long)y + h;
    clip(top, end, height());
    const int rightEnd = int(std::min<long long>(right, INT_MAX));
    for (long long row = end - 1; row >= top; --row)
        drawHLine(x, rightEnd, int(row), value);
}

// Spans with 64-bit ends, clipped to the int range before they reach drawHLine.
static void span(GraphX *g, long long x0, long long x1, long long y, int value)
{
    if (!fitsInt(y) || x1 <= x0)
        return;
    g->drawHLine(int(std::max<long long>(x0, INT_MIN)), int(std::min<long long>(x1, INT_MAX)), int(y), value);
}

namespace {

const long long fullScale = 1 << 16;

long long floorSqrt(long long v)
{
    long long root = (long long)std::sqrt((long double)v);
    while (root > 0 && root * root > v)
        --root;
    while ((root + 1) * (root + 1) <= v)
        ++root;
    return root;
}

// The filled midpoint circle, and the ellipse that runs it on its larger radius, drawn row by row.
// The walk takes one step per column of the radius: for a radius far beyond the plane nearly all
// of its time would go to rows that are not there. Its y has a closed form at every step but the
// last few, which are walked as before; each row gets the widest of the spans the walk draws on it
// (all share the centre), so the pixels are the same and only the plane's rows cost time.
class MidpointFill
{
public:
    // Step n draws on rows +-scaled(rowScale, n) with half-width scaled(widthScale, y), and on rows
    // +-scaled(rowScale, y) with half-width scaled(widthScale, n); 16.16 scales.
    MidpointFill(long long radius, bool circle, long long rowScale, long long widthScale)
        : m_radius(radius)
        , m_circle(circle)
        , m_rowScale(rowScale)
        , m_widthScale(widthScale)
    {
        // One decrement of y per step keeps up with the closed form while y stays two above the
        // step; find the last step where it provably does, then walk the rest.
        long long lo = 0, hi = radius;
        while (lo < hi) {
            const long long mid = lo + (hi - lo + 1) / 2;
            if (largestY(mid - 1) >= mid + 1)
                lo = mid;
            else
                hi = mid - 1;
        }
        m_tailStart = lo;
        long long x = lo;
        long long y = lo == 0 ? radius : largestY(lo - 1);
        long long d = lo == 0 ? radius : radius * radius - y * (y - 1) - decrease(lo);
        while (x <= y) {
            if (d < 0) {
                y -= 1;
                d += 2 * y;
            }
            m_tail.push_back(y);
            if (m_circle) {
                x += 1;
                d -= 2 * x;
            } else {
                d -= 1 + 2 * x;
                x += 1;
            }
        }
        m_lastStep = m_tailStart + (long long)m_tail.size() - 1;
    }

    // The steps are 0 .. lastStep(); y at each as the walk has it.
    long long lastStep() const { return m_lastStep; }
    long long yAt(long long n) const { return n < m_tailStart ? largestY(n) : m_tail[size_t(n - m_tailStart)]; }

    void draw(GraphX *g, int cx, int cy, int value) const
    {
        const long long reach = std::max(scaled(m_rowScale, m_lastStep), scaled(m_rowScale, m_radius));
        long long top = (long long)cy - reach;
        long long end = (long long)cy + reach + 1;
        clip(top, end, g->height());
        for (long long row = top; row < end; ++row) {
            const long long w = halfWidth(std::llabs(row - cy));
            span(g, cx - w, cx + w, row, value);
        }
    }

private:
    static long long scaled(long long scale, long long v) { return (scale * v) >> 16; }

    // What the walk has taken off d by the start of step n.
    long long decrease(long long n) const { return m_circle ? n * (n + 1) : n * n; }

    // y at step n when each step's single decrement suffices: the largest y with y(y - 1) within
    // radius^2 - decrease(n).
    long long largestY(long long n) const
    {
        const long long bound = m_radius * m_radius - decrease(n);
        if (bound < 0)
            return 0;
        const long long y = floorSqrt(bound);
        return (y + 1) * y <= bound ? y + 1 : y;
    }

    // The last step whose y is at least the given one, or -1.
    long long lastStepWithYAtLeast(long long y) const
    {
        if (y > m_radius)
            return -1;
        for (size_t i = m_tail.size(); i-- > 0;) {
            if (m_tail[i] >= y)
                return m_tailStart + (long long)i;
        }
        const long long room = m_radius * m_radius - y * (y - 1);
        long long n = floorSqrt(room);
        if (m_circle && n * (n + 1) > room)
            --n;
        return std::min(n, m_tailStart - 1);
    }

    // The widest span on the rows at this distance from the centre, 0 when none.
    long long halfWidth(long long distance) const
    {
        // The first value v whose scaled row reaches the distance.
        long long first = -1;
        if (m_rowScale > 0)
            first = ((distance << 16) + m_rowScale - 1) / m_rowScale;
        else if (distance == 0)
            first = 0;
        if (first < 0)
            return 0;
        long long width = 0;
        // Rows from the step: y only falls, so the first step on the row is the widest.
        if (first <= m_lastStep && scaled(m_rowScale, first) == distance)
            width = scaled(m_widthScale, yAt(first));
        // Rows from y: the step only grows, so the last step with y on the row is the widest.
        const long long n = lastStepWithYAtLeast(first);
        if (n >= 0 && scaled(m_rowScale, yAt(n)) == distance)
            width = std::max(width, scaled(m_widthScale, n));
        return width;
    }

    long long m_radius;
    bool m_circle;
    long long m_rowScale;
    long long m_widthScale;
    long long m_tailStart = 0;
    long long m_lastStep = 0;
    std::vector<long long> m_tail; // y at steps m_tailStart .. m_lastStep
};

// The midpoint circle on the larger radius, the other axis scaled by a 16.16 fixed-point ratio.
struct EllipseAxes
{
    EllipseAxes(long long rx, long long ry)
        : wide(ry < rx)
        , major(wide ? rx : ry)
        // Both radii 0: the ratio would divide by zero; the ellipse is its centre.
        , ratio(major > 0 ? ((wide ? ry : rx) << 16) / major : 0)
    {
    }
    bool wide;
    long long major;
    long long ratio;
};

// The outline of the midpoint walk on the larger radius: at step n with walk value y, the points
// (cx +- h, cy -+ v) for two pairs (h, v), each of n, y or one of them scaled by the ratio. Each such
// coordinate only grows or only falls with n, so the steps that put one of the eight points inside the
// plane form one range, found by bisection, and within it only the steps where the point moves are
// visited: a radius far beyond the plane costs what the plane holds of the outline.
class Outline
{
public:
    explicit Outline(const EllipseAxes &axes)
        : m_walk(axes.major, false, fullScale, fullScale)
        , m_ratio(axes.ratio)
        , m_pairs{axes.wide ? Pair{Step, ScaledY} : Pair{ScaledStep, Y},
                  axes.wide ? Pair{Y, ScaledStep} : Pair{ScaledY, Step}}
    {
    }

    void draw(GraphX *g, long long cx, long long cy, int value) const
    {
        long long xLo, xHi, yLo, yHi;
        reach(g->width(), xLo, xHi);
        reach(g->height(), yLo, yHi);
        for (const Pair &pair : m_pairs) {
            for (const long long sy : {-1, 1}) {
                for (const long long sx : {1, -1}) {
                    long long first = 0;
                    long long last = m_walk.lastStep();
                    narrow(pair.h, sx > 0 ? xLo - cx : cx - xHi, sx > 0 ? xHi - cx : cx - xLo, first, last);
                    narrow(pair.v, sy > 0 ? yLo - cy : cy - yHi, sy > 0 ? yHi - cy : cy - yLo, first, last);
                    for (long long n = first; n <= last; n = next(pair, n, last))
                        g->setPixel(int(cx + sx * coordinate(pair.h, n)), int(cy + sy * coordinate(pair.v, n)), value);
                }
            }
        }
    }

private:
    enum Coordinate { Step, ScaledStep, Y, ScaledY };
    struct Pair
    {
        Coordinate h;
        Coordinate v;
    };

    long long coordinate(Coordinate c, long long n) const
    {
        switch (c) {
        case Step:
            return n;
        case ScaledStep:
            return (n * m_ratio) >> 16;
        case Y:
            return m_walk.yAt(n);
        case ScaledY:
            return (m_walk.yAt(n) * m_ratio) >> 16;
        }
        return 0;
    }

    static bool grows(Coordinate c) { return c == Step || c == ScaledStep; }

    // Cuts the steps first .. last to those where the coordinate lies in lo .. hi.
    void narrow(Coordinate c, long long lo, long long hi, long long &first, long long &last) const
    {
        if (grows(c)) {
            first = firstTrue(first, last, [&](long long n) { return coordinate(c, n) >= lo; });
            last = firstTrue(first, last, [&](long long n) { return coordinate(c, n) > hi; }) - 1;
        } else {
            first = firstTrue(first, last, [&](long long n) { return coordinate(c, n) <= hi; });
            last = firstTrue(first, last, [&](long long n) { return coordinate(c, n) < lo; }) - 1;
        }
    }

    // The next step after n where the point moves, last + 1 when none.
    long long next(const Pair &pair, long long n, long long last) const
    {
        const long long h = coordinate(pair.h, n);
        const long long v = coordinate(pair.v, n);
        const long long hMoves = firstTrue(n + 1, last, [&](long long m) { return coordinate(pair.h, m) != h; });
        return firstTrue(n + 1, std::min(last, hMoves - 1), [&](long long m) { return coordinate(pair.v, m) != v; });
    }

    MidpointFill m_walk;
    long long m_ratio;
    Pair m_pairs[2];
};

} // namespace

void GraphX::fillCircle(int cx, int cy, int r, int value)
{
    if (r < 0)
        return;
    MidpointFill(r, true, fullScale, fullScale).draw(this, cx, cy, value);
}

void GraphX::drawCircle(int cx, int cy, int r, int value)
{
    // The ellipse of two equal radii walks the same points.
    drawEllipse(cx, cy, r, r, value);
}

void GraphX::fillEllipse(int cx, int cy, int rx, int ry, int value)
{
    if (rx < 0 || ry < 0)
        return;
    const EllipseAxes axes(rx, ry);
    // Wide: rows scaled by the ratio, widths not; tall: the reverse.
    MidpointFill(axes.major, false, axes.wide ? axes.ratio : fullScale, axes.wide ? fullScale : axes.ratio)
        .draw(this, cx, cy, value);
}

void GraphX::drawEllipse(int cx, int cy, int rx, int ry, int value)
{
    if (rx < 0 || ry < 0)
        return;
    Outline(EllipseAxes(rx, ry)).draw(this, cx, cy, value);
}

// A scan-line fill with a stack of its own: a large winding region would overflow the call stack
// if every span recursed.
void GraphX::floodFill(int x, int y, int value)
{
    const int w = width();
    const int h = height();
    if (x < 0 || y < 0 || x >= w || y >= h)
        return;
    const int target = pixel(x, y);
    if (target == value)
        return;
    std::vector<std::pair<int, int>> seeds{{x, y}};
    while (!seeds.empty()) {
        const auto [sx, sy] = seeds.back();
        seeds.pop_back();
        if (pixel(sx, sy) != target)
            continue;
        int left = sx;
        while (left > 0 && pixel(left - 1, sy) == target)
            --left;
        int right = sx;
        while (right < w - 1 && pixel(right + 1, sy) == target)
            ++right;
        for (int i = left; i <= right; ++i)
            setPixel(i, sy, value);
        // A value the plane cannot hold (say 256 on an 8-bit plane) reads back as the target: stop
        // rather than fill the same span for ever.
        if (pixel(left, sy) == target)
            return;
        for (const int row : {sy - 1, sy + 1}) {
            if (row < 0 || row >= h)
                continue;
            for (int i = left; i <= right; ++i) {
                if (pixel(i, row) == target && (i == left || pixel(i - 1, row) != target))
                    seeds.emplace_back(i, row);
            }
        }
    }
}

} // namespace MGraphX
