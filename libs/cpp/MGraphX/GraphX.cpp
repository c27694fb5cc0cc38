#include "MGraphX/GraphX.h"

#include <algorithm>
#include <climits>
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
    long long error = span;
    long long minor = ay0;
    for (long long major = ax0; major <= ax1; ++major) {
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
    long long from = x0, to = x1;
    clip(from, to, width());
    for (long long x = from; x < to; ++x)
        setPixel(int(x), y, value);
}

void GraphX::drawVLine(int y0, int y1, int x, int value)
{
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

static void point(GraphX *g, long long x, long long y, int value)
{
    if (fitsInt(x) && fitsInt(y))
        g->setPixel(int(x), int(y), value);
}

void GraphX::fillCircle(int cx, int cy, int r, int value)
{
    long long x = 0, y = r, d = r;
    while (x <= y) {
        if (d < 0) {
            y -= 1;
            d += 2 * y;
        }
        span(this, cx - y, cx + y, cy - x, value);
        span(this, cx - y, cx + y, cy + x, value);
        span(this, cx - x, cx + x, cy - y, value);
        span(this, cx - x, cx + x, cy + y, value);
        x += 1;
        d -= 2 * x;
    }
}

void GraphX::drawCircle(int cx, int cy, int r, int value)
{
    long long x = 0, y = r, d = r;
    while (x <= y) {
        if (d < 0) {
            y -= 1;
            d += 2 * y;
        }
        point(this, cx + x, cy - y, value);
        point(this, cx - x, cy - y, value);
        point(this, cx + x, cy + y, value);
        point(this, cx - x, cy + y, value);
        point(this, cx + y, cy - x, value);
        point(this, cx - y, cy - x, value);
        point(this, cx + y, cy + x, value);
        point(this, cx - y, cy + x, value);
        d -= 2 * x + 1;
        x += 1;
    }
}

void GraphX::fillEllipse(int cx, int cy, int rx, int ry, int value)
{
    ellipse(cx, cy, rx, ry, value, true);
}

void GraphX::drawEllipse(int cx, int cy, int rx, int ry, int value)
{
    ellipse(cx, cy, rx, ry, value, false);
}

// The midpoint circle on the larger radius, the other axis scaled by a 16.16 fixed-point ratio.
void GraphX::ellipse(int cx, int cy, int rx, int ry, int value, bool fill)
{
    if (rx < 0 || ry < 0)
        return;
    const bool wide = ry < rx;
    const long long major = wide ? rx : ry;
    const long long minor = wide ? ry : rx;
    // Both radii 0: the ratio would divide by zero; the ellipse is its centre.
    const long long k = major > 0 ? (minor << 16) / major : 0;
    long long x = 0, y = major, d = major, s = 0;
    while (x <= y) {
        if (d < 0) {
            y -= 1;
            d += 2 * y;
        }
        const long long scaledY = (y * k) >> 16;
        const long long scaledX = s >> 16;
        // Horizontal and vertical half-extents of the two pairs of rows.
        const long long h1 = wide ? x : scaledX;
        const long long v1 = wide ? scaledY : y;
        const long long h2 = wide ? y : scaledY;
        const long long v2 = wide ? scaledX : x;
        if (fill) {
            span(this, cx - h1, cx + h1, cy - v1, value);
            span(this, cx - h1, cx + h1, cy + v1, value);
            span(this, cx - h2, cx + h2, cy - v2, value);
            span(this, cx - h2, cx + h2, cy + v2, value);
        } else {
            point(this, cx + h1, cy - v1, value);
            point(this, cx - h1, cy - v1, value);
            point(this, cx + h1, cy + v1, value);
            point(this, cx - h1, cy + v1, value);
            point(this, cx + h2, cy - v2, value);
            point(this, cx - h2, cy - v2, value);
            point(this, cx + h2, cy + v2, value);
            point(this, cx - h2, cy + v2, value);
        }
        d -= 1 + 2 * x;
        s += k;
        x += 1;
    }
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
