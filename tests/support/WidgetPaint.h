#pragma once

#include <QColor>
#include <QImage>
#include <QString>

class QPushButton;
class QWidget;

// What the widget paints by itself, without a window background, on transparent pixels. The image has the
// widget's pixel ratio, so it holds device pixels.
QImage paintWidget(QWidget &widget);

// "rgba(r, g, b, a)", for failure messages about one pixel.
QString describePixel(QRgb pixel);

// The contrast ratio of two colours, from 1 (the same) to 21 (black on white); body text wants 4.5.
double contrastRatio(const QColor &a, const QColor &b);

// Whether the button shows more than its background: its painting changes once its text, its icon and the
// style sheet's picture are taken away. They are put back afterwards.
bool showsMoreThanBackground(QPushButton &button);
