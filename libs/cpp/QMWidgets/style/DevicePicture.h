#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

namespace QMWidgets {

// A picture file at a logical size, in the screen's pixels: at a pixel ratio of 2 it comes from the "@2x" file
// beside the named one where there is one, so it shows its detail rather than a doubled copy. Without a size, the
// picture's own.
QPixmap devicePicture(const QString &path, const QSize &logicalSize = QSize());

} // namespace QMWidgets
