#pragma once

#include "MGraphX/Cube.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <QVector>

namespace MGraphX {

// Reduces a true-colour image to an indexed one of at most 256 colours: a median cut over 15-bit
// colours (5 bits a channel) with optional Floyd-Steinberg error diffusion, a path of its own for
// grey images, and index 255 kept transparent for images with alpha.
class ColorReducer : public QObject
{
    Q_OBJECT

public:
    explicit ColorReducer(const QImage &image, QObject *parent = nullptr);
    ~ColorReducer() override;

    void setDithering(bool on);
    void setGrayShortcut(bool on);

    // An indexed (Format_Indexed8) image with at most colourCount colours; counts above 256 count as 256.
    QImage reduce(int colourCount);
    // Each channel posterized to the number of levels (1 .. 255); the result is ARGB32.
    QImage posterize(int levels);

signals:
    // 0 when a reduction starts, 0 .. 9 during the cut and 10 .. 100 during error diffusion.
    void progress(int percent);

private:
    QImage reduceGrey(int colourCount);
    QImage posterized(int levels) const;
    // Floyd-Steinberg over the work image against the first entryCount palette entries, column by
    // column; returns the chosen entry of every pixel (row-major), or nothing once the reducer was deleted.
    QVector<uchar> diffuse(const QVector<QRgb> &palette, int entryCount);
    // Emits progress; false once a receiver deleted the reducer on it, and then the caller reads nothing of it.
    bool reportProgress(int percent);
    void setBounds(Cube &box) const;
    QImage indexedResult(const QVector<uchar> &indices, QVector<QRgb> colourTable) const;

    QVector<int> m_histogram;
    QVector<int> m_keys;
    QVector<Cube> m_boxes;
    int m_colourCount = 256;
    QImage m_work;
    QImage m_source;
    QVector<QRgb> m_palette;
    bool m_dithering = true;
    bool m_greyShortcut = true;
};

// Reduces the image and saves it as PNG (quality 0); returns what the save returns.
bool saveReducedImage(const QImage &image, const QString &path, int colourCount);
bool saveReducedImageAs(const QImage &image, const QString &path, int colourCount, const QString &format);

} // namespace MGraphX
