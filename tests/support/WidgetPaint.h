#pragma once

#include <QImage>
#include <QString>

class QWidget;

// What the widget paints by itself, without a window background, on transparent pixels. The image has the
// widget's pixel ratio, so it holds device pixels.
QImage paintWidget(QWidget &widget);

// "rgba(r, g, b, a)", for failure messages about one pixel.
QString describePixel(QRgb pixel);
