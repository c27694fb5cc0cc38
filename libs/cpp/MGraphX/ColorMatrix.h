#pragma once

#include <QImage>
#include <QObject>

namespace MGraphX {

// A 4 x 4 matrix that maps (red, green, blue, alpha) to a new pixel: row i is the input channel,
// column j the output channel, both in the order red, green, blue, alpha. There is no offset
// column, so a constant cannot be added.
class ColorMatrix : public QObject
{
    Q_OBJECT

public:
    explicit ColorMatrix(QObject *parent = nullptr);
    // QObject cannot be copied: the matrix values are copied by hand, the object identity is not.
    ColorMatrix(const ColorMatrix &other);
    ~ColorMatrix() override;

    virtual void assign(const ColorMatrix &other);

    float value(int row, int column) const { return m_matrix[row][column]; }

    void reset();
    void setSaturation(float s);
    void setDiagonal(float r, float g, float b, float a);
    void setBrightness(float x);
    void setAverageGray();
    void setLuminanceGray();
    void swapRedGreen();
    void swapRedBlue();
    void swapGreenBlue();
    void setTint(float r, float g, float b, float alpha);
    void setAlphaFromChannels();

    QRgb map(int r, int g, int b, int a) const;
    // Every pixel mapped; an image not in a 32-bit format is converted to ARGB32 first.
    QImage apply(const QImage &image) const;

private:
    void swapColumns(int first, int second);

    float m_matrix[4][4];
};

} // namespace MGraphX
