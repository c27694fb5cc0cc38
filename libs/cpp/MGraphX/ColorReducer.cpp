#include "MGraphX/ColorReducer.h"

#include "MGraphX/ImageProcess.h"
#include "MGraphX/ImageWriting.h"

#include <QPointer>

#include <algorithm>
#include <limits>
#include <vector>

namespace MGraphX {

namespace {

const int keyCount = 32768;

int keyOf(QRgb p)
{
    return int((p >> 19) & 0x1f) | int((p >> 11) & 0x1f) << 5 | int((p >> 3) & 0x1f) << 10;
}

int redOf(int key)
{
    return (key << 3) & 255;
}

int greenOf(int key)
{
    return (key >> 2) & 248;
}

int blueOf(int key)
{
    return (key >> 7) & 248;
}

// The key with the chosen channel in the top five bits, so that sorting orders by that channel.
int sortKey(int key, int channel)
{
    const int r = key & 0x1f, g = (key >> 5) & 0x1f, b = (key >> 10) & 0x1f;
    if (channel == 0)
        return g | b << 5 | r << 10;
    if (channel == 1)
        return r | b << 5 | g << 10;
    return key;
}

int squared(int v)
{
    return v * v;
}

// Nearest palette entry by Euclidean distance over red, green and blue, the first on ties. The
// candidates of each 8 x 8 x 8 cell of colour space are found once: an entry whose nearest point
// in the cell is farther than some entry's farthest point can never be chosen there.
class NearestEntry
{
public:
    NearestEntry(const QVector<QRgb> &palette, int entryCount)
        : m_palette(palette.constData(), palette.constData() + std::min(entryCount, palette.size()))
        , m_start(keyCount, -1)
    {
    }

    int find(int r, int g, int b)
    {
        const int cell = (r >> 3) | (g >> 3) << 5 | (b >> 3) << 10;
        if (m_start[size_t(cell)] < 0)
            build(cell);
        const int begin = m_start[size_t(cell)];
        const int end = begin + m_length[size_t(cell)];
        int best = 0;
        int bestDistance = std::numeric_limits<int>::max();
        for (int i = begin; i < end; ++i) {
            const int entry = m_pool[size_t(i)];
            const QRgb p = m_palette[size_t(entry)];
            const int d = squared(r - qRed(p)) + squared(g - qGreen(p)) + squared(b - qBlue(p));
            if (d < bestDistance) {
                bestDistance = d;
                best = entry;
            }
        }
        return best;
    }

private:
    void build(int cell)
    {
        if (m_length.empty())
            m_length.assign(keyCount, 0);
        const int lo[3] = {redOf(cell), greenOf(cell), blueOf(cell)};
        const auto nearest = [&](int c, int v) { return v < lo[c] ? lo[c] - v : (v > lo[c] + 7 ? v - lo[c] - 7 : 0); };
        const auto farthest = [&](int c, int v) { return std::max(std::abs(v - lo[c]), std::abs(v - lo[c] - 7)); };
        int threshold = std::numeric_limits<int>::max();
        for (const QRgb p : m_palette) {
            const int far = squared(farthest(0, qRed(p))) + squared(farthest(1, qGreen(p))) + squared(farthest(2, qBlue(p)));
            threshold = std::min(threshold, far);
        }
        m_start[size_t(cell)] = int(m_pool.size());
        for (size_t e = 0; e < m_palette.size(); ++e) {
            const QRgb p = m_palette[e];
            const int near = squared(nearest(0, qRed(p))) + squared(nearest(1, qGreen(p))) + squared(nearest(2, qBlue(p)));
            if (near <= threshold)
                m_pool.push_back(int(e));
        }
        m_length[size_t(cell)] = int(m_pool.size()) - m_start[size_t(cell)];
    }

    std::vector<QRgb> m_palette;
    std::vector<int> m_start;
    std::vector<int> m_length;
    std::vector<int> m_pool;
};

// The two posterize tables for g levels: first into 255 - g .. 255, then spread over 0 .. 255.
void posterizeTables(int g, unsigned char *first, unsigned char *second)
{
    const int c = 255 - g;
    for (int j = 0; j < 256; ++j) {
        first[j] = static_cast<unsigned char>(c + int(j * g / 255.0));
        second[j] = static_cast<unsigned char>(j < c ? 0 : std::min(255, int(255.0 / g * (j - c))));
    }
}

} // namespace

ColorReducer::ColorReducer(const QImage &image, QObject *parent)
    : QObject(parent)
    , m_histogram(keyCount, 0)
    , m_boxes(256)
    , m_work(image.convertToFormat(QImage::Format_RGB32))
    , m_source(image)
{
    for (int y = 0; y < m_work.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(m_work.constScanLine(y));
        for (int x = 0; x < m_work.width(); ++x)
            ++m_histogram[keyOf(line[x])];
    }
}

ColorReducer::~ColorReducer() = default;

void ColorReducer::setDithering(bool on)
{
    m_dithering = on;
}

void ColorReducer::setGrayShortcut(bool on)
{
    m_greyShortcut = on;
}

void ColorReducer::setBounds(Cube &box) const
{
    box.redMin = box.greenMin = box.blueMin = 255;
    box.redMax = box.greenMax = box.blueMax = 0;
    for (int i = box.lower; i <= box.upper; ++i) {
        const int key = m_keys[i];
        box.redMin = std::min(box.redMin, redOf(key));
        box.redMax = std::max(box.redMax, redOf(key));
        box.greenMin = std::min(box.greenMin, greenOf(key));
        box.greenMax = std::max(box.greenMax, greenOf(key));
        box.blueMin = std::min(box.blueMin, blueOf(key));
        box.blueMax = std::max(box.blueMax, blueOf(key));
    }
}

bool ColorReducer::reportProgress(int percent)
{
    const QPointer<ColorReducer> alive(this);
    emit progress(percent);
    return !alive.isNull();
}

QVector<uchar> ColorReducer::diffuse(const QVector<QRgb> &palette, int entryCount)
{
    const int w = m_work.width();
    const int h = m_work.height();
    // The working copy column by column, as the diffusion walks it.
    std::vector<short> work(size_t(w) * size_t(h) * 3);
    for (int y = 0; y < h; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(m_work.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            short *p = &work[(size_t(x) * h + y) * 3];
            p[0] = short(qRed(line[x]));
            p[1] = short(qGreen(line[x]));
            p[2] = short(qBlue(line[x]));
        }
    }
    QVector<uchar> indices(w * h);
    NearestEntry nearest(palette, entryCount);
    const auto spread = [&](int x, int y, const int *error, int weight) {
        short *p = &work[(size_t(x) * h + y) * 3];
        for (int c = 0; c < 3; ++c)
            p[c] = short(std::clamp(p[c] + error[c] * weight / 16, 0, 255));
    };
    for (int x = 0; x < w; ++x) {
        if (!reportProgress(qRound(10 + x * 90.0 / w)))
            return {};
        for (int y = 0; y < h; ++y) {
            const short *p = &work[(size_t(x) * h + y) * 3];
            const int entry = nearest.find(p[0], p[1], p[2]);
            indices[y * w + x] = uchar(entry);
            const QRgb chosen = palette[entry];
            const int error[3] = {p[0] - qRed(chosen), p[1] - qGreen(chosen), p[2] - qBlue(chosen)};
            const bool right = x + 1 < w;
            const bool below = y + 1 < h;
            if (right)
                spread(x + 1, y, error, 7);
            if (x >= 2 && below)
                spread(x - 1, y + 1, error, 3);
            if (below)
                spread(x, y + 1, error, 5);
            if (right && below)
                spread(x + 1, y + 1, error, 1);
        }
    }
    return indices;
}

QImage ColorReducer::indexedResult(const QVector<uchar> &indices, QVector<QRgb> colourTable) const
{
    const int w = m_work.width();
    const int h = m_work.height();
    QImage result(w, h, QImage::Format_Indexed8);
    if (result.isNull())
        return result;
    const bool transparent = m_source.hasAlphaChannel();
    QImage alpha;
    if (transparent) {
        colourTable.resize(256);
        colourTable[255] = 0;
        alpha = m_source.convertToFormat(QImage::Format_ARGB32);
    }
    result.setColorTable(colourTable);
    for (int y = 0; y < h; ++y) {
        uchar *line = result.scanLine(y);
        std::copy(indices.constData() + y * w, indices.constData() + (y + 1) * w, line);
        if (transparent) {
            const QRgb *source = reinterpret_cast<const QRgb *>(alpha.constScanLine(y));
            for (int x = 0; x < w; ++x) {
                if (qAlpha(source[x]) < 127)
                    line[x] = 255;
            }
        }
    }
    return result;
}

QImage ColorReducer::reduce(int colourCount)
{
    if (!reportProgress(0))
        return QImage();
    // The box list holds 256 boxes.
    int n = std::min(colourCount, 256);
    m_colourCount = n;
    if (m_work.isNull() || m_work.width() == 0 || m_work.height() == 0)
        return QImage();
    if (m_source.hasAlphaChannel() && n >= 255)
        n = 254;
    if (m_greyShortcut && n >= 2 && m_source.allGray())
        return reduceGrey(n);

    m_keys.clear();
    qint64 total = 0;
    for (int key = 0; key < keyCount; ++key) {
        if (m_histogram[key] != 0) {
            m_keys.append(key);
            total += m_histogram[key];
        }
    }
    m_boxes.fill(Cube(), 256);
    int boxCount = 1;
    m_boxes[0] = Cube(0, m_keys.size() - 1, total, 0);
    setBounds(m_boxes[0]);

    while (boxCount < n) {
        if (!reportProgress(int(boxCount * 10.0 / n)))
            return QImage();
        int chosen = -1;
        for (int i = 0; i < boxCount; ++i) {
            const Cube &box = m_boxes[i];
            if (box.lower < box.upper && box.level < 255 && (chosen < 0 || box.level < m_boxes[chosen].level))
                chosen = i;
        }
        if (chosen < 0)
            break;
        Cube &box = m_boxes[chosen];
        const int redSide = box.redMax - box.redMin;
        const int greenSide = box.greenMax - box.greenMin;
        const int blueSide = box.blueMax - box.blueMin;
        const int channel = (blueSide >= greenSide && blueSide >= redSide) ? 2 : (greenSide >= redSide ? 1 : 0);
        std::sort(m_keys.begin() + box.lower, m_keys.begin() + box.upper + 1,
                  [channel](int a, int b) { return sortKey(a, channel) < sortKey(b, channel); });

        qint64 sum = 0;
        int middle = box.lower;
        if (box.lower < box.upper && box.count >= 2) {
            for (int position = box.lower;; ++position) {
                sum += m_histogram[m_keys[position]];
                middle = position + 1;
                if (middle >= box.upper || sum >= box.count / 2)
                    break;
            }
        }
        const Cube second(middle, box.upper, box.count - sum, box.level + 1);
        box = Cube(box.lower, middle - 1, sum, box.level + 1);
        setBounds(box);
        m_boxes[boxCount] = second;
        setBounds(m_boxes[boxCount]);
        ++boxCount;
    }

    // Box index of every key; a separate table, so that the counts stay for the next reduction.
    QVector<uchar> boxOfKey(keyCount, 0);
    for (int i = 0; i < boxCount; ++i) {
        for (int position = m_boxes[i].lower; position <= m_boxes[i].upper; ++position)
            boxOfKey[m_keys[position]] = uchar(i);
    }
    // Each entry is the mean of the full colours of its pixels, not of its keys: a key is the low
    // edge of an 8-step bin, so a mean of keys would come out up to 7 levels too dark.
    std::vector<qint64> sums(3 * size_t(boxCount), 0);
    for (int y = 0; y < m_work.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(m_work.constScanLine(y));
        for (int x = 0; x < m_work.width(); ++x) {
            qint64 *sum = &sums[3 * size_t(boxOfKey[keyOf(line[x])])];
            sum[0] += qRed(line[x]);
            sum[1] += qGreen(line[x]);
            sum[2] += qBlue(line[x]);
        }
    }
    m_palette.fill(0xff000000u, 256);
    for (int i = 0; i < boxCount; ++i) {
        const qint64 count = m_boxes[i].count;
        const auto mean = [count](qint64 sum) { return count > 0 ? QRgb((sum + count / 2) / count) : 0u; };
        const qint64 *sum = &sums[3 * size_t(i)];
        m_palette[i] = 0xff000000u | mean(sum[0]) << 16 | mean(sum[1]) << 8 | mean(sum[2]);
    }

    QVector<uchar> indices;
    if (m_dithering) {
        indices = diffuse(m_palette, boxCount);
        if (indices.isEmpty())
            return QImage();
    } else {
        const int w = m_work.width();
        indices.resize(w * m_work.height());
        for (int y = 0; y < m_work.height(); ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(m_work.constScanLine(y));
            for (int x = 0; x < w; ++x)
                indices[y * w + x] = boxOfKey[keyOf(line[x])];
        }
    }
    return indexedResult(indices, m_palette.mid(0, boxCount));
}

QImage ColorReducer::reduceGrey(int colourCount)
{
    // g levels give g + 1 greys: g = n / 2 keeps within n from 3 colours up, and 2 colours get 1.
    const int g = colourCount <= 2 ? 1 : std::max(colourCount / 2, 2);
    const QImage poster = posterized(g);

    std::vector<bool> present(256, false);
    for (int y = 0; y < poster.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(poster.constScanLine(y));
        for (int x = 0; x < poster.width(); ++x)
            present[size_t(qRed(line[x]))] = true;
    }
    // The grey levels, ascending, then unused white entries up to 256.
    QVector<QRgb> palette;
    QVector<int> indexOfGrey(256, 255);
    for (int v = 0; v < 256; ++v) {
        if (present[size_t(v)]) {
            indexOfGrey[v] = palette.size();
            palette.append(0xff000000u | QRgb(v) << 16 | QRgb(v) << 8 | QRgb(v));
        }
    }
    const int levelCount = palette.size();
    palette.resize(256);
    std::fill(palette.begin() + levelCount, palette.end(), 0xffffffffu);

    QVector<uchar> indices;
    if (m_dithering) {
        // Only the grey levels are candidates: the white fillers would add a colour.
        indices = diffuse(palette, levelCount);
        if (indices.isEmpty())
            return QImage();
    } else {
        const int w = poster.width();
        indices.resize(w * poster.height());
        for (int y = 0; y < poster.height(); ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(poster.constScanLine(y));
            for (int x = 0; x < w; ++x)
                indices[y * w + x] = uchar(indexOfGrey[qRed(line[x])]);
        }
    }
    m_palette = palette;
    return indexedResult(indices, palette);
}

QImage ColorReducer::posterized(int levels) const
{
    unsigned char first[256];
    unsigned char second[256];
    posterizeTables(std::clamp(levels, 1, 255), first, second);
    ImageProcess planes(m_source);
    planes.applyTable(first);
    planes.applyTable(second);
    return planes.toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage ColorReducer::posterize(int levels)
{
    const QImage result = posterized(levels);
    // Diffusing the result against its own colours would change no pixel: only the progress is reported.
    if (m_dithering) {
        for (int x = 0; x < result.width(); ++x) {
            if (!reportProgress(qRound(10 + x * 90.0 / result.width())))
                break;
        }
    }
    return result;
}

bool saveReducedImage(const QImage &image, const QString &path, int colourCount)
{
    return saveReducedImageAs(image, path, colourCount, QStringLiteral("PNG"));
}

bool saveReducedImageAs(const QImage &image, const QString &path, int colourCount, const QString &format)
{
    ColorReducer reducer(image);
    return writeImageSafely(path, reducer.reduce(colourCount), format.toLocal8Bit().constData(), 0);
}

} // namespace MGraphX
