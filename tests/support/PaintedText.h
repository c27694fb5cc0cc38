#pragma once

#include <QFont>
#include <QList>
#include <QRectF>
#include <QString>

class QWidget;

// One run of text that a widget drew: its font and the box from ascent to descent over its advance, in the
// widget's logical pixels.
struct PaintedText
{
    QString text;
    QFont font;
    QRectF box;
    // The bounds of the last shape drawn before the text (the frame meant to hold it, as a rule), and the
    // rectangle the text was clipped to; null when there was none.
    QRectF shape;
    QRectF clip;
};

// The texts the widget and its children draw, in painting order. Nothing is rasterised: the painting goes to a
// device that keeps the text runs, so the boxes are the font's metrics where the text was placed.
QList<PaintedText> paintedTexts(QWidget &widget);

// The runs of the texts that contain the given part, joined into one box (a null box when none does).
QRectF paintedBox(const QList<PaintedText> &texts, const QString &part);
