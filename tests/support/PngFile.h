#pragma once

#include <QImage>
#include <QString>

// The picture in the file when the file is a PNG by its content, whatever its name says; otherwise a null
// image, and why receives the reason.
QImage readPngFile(const QString &path, QString *why);
