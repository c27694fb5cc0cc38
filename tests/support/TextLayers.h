#pragma once

#include "PaintedText.h"

#include <QImage>
#include <QList>
#include <QRectF>

class QWidget;

// A widget painted twice, in its device pixels, through one engine that replays its drawing: once whole and
// once with every text left out. Where the two differ a text was drawn, and the second shows what it was drawn
// on, also where a line, a frame or a picture runs through it.
struct TextLayers
{
    QImage whole;
    QImage ground;
    // The texts in painting order, without a shape; the clip of each is the part of the widget it could show in,
    // so a text scrolled out of its view or clipped away lies outside it.
    QList<PaintedText> texts;
};

TextLayers paintTextLayers(QWidget &widget);

// How the text drawn in the box (logical pixels) reads against what it is drawn on: the strongest contrast of a
// pixel the text changed against the same pixel without it, 0 when it changed none.
double textContrast(const TextLayers &layers, const QRectF &logicalBox);
