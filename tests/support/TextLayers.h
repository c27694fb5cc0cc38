#pragma once

#include "PaintedText.h"

#include <QImage>
#include <QList>
#include <QRectF>

class QWidget;

// A widget painted in its device pixels through one engine that replays its drawing: once whole, and once more
// without each text alone. Where a text's paint differs from the whole, that text was drawn, and it shows what
// the text was drawn on, also where a line, a frame, a picture or a neighbouring text runs through its box.
struct TextLayers
{
    QImage whole;
    // The texts in painting order, without a shape; the clip of each is the part of the widget it could show in,
    // so a text scrolled out of its view or clipped away lies outside it.
    QList<PaintedText> texts;
    // What each text is drawn on. Texts whose boxes touch no other text's share one paint without any text.
    QList<QImage> grounds;
    // A text drawn again over itself (a shadow under its face) is one text to read: each copy gives the index of
    // the copy drawn last, and all copies are left out of its ground together.
    QList<int> faces;
};

TextLayers paintTextLayers(QWidget &widget);

// How the text with that index reads in the box (logical pixels) against what it is drawn on: the strongest
// contrast of a pixel the text changed against the same pixel without it, 0 when it changed none.
double textContrast(const TextLayers &layers, int index, const QRectF &logicalBox);
// The same for the text drawn in the box: the one whose box covers most of it.
double textContrast(const TextLayers &layers, const QRectF &logicalBox);
