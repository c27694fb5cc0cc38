#include "QMWidgets/style/DevicePicture.h"

#include <QIcon>
#include <QImageReader>

namespace QMWidgets {

QPixmap devicePicture(const QString &path, const QSize &logicalSize)
{
    // QIcon finds the "@2x" file by itself and, with high-DPI pictures on, gives the screen's pixels.
    const QSize size = logicalSize.isValid() ? logicalSize : QImageReader(path).size();
    if (!size.isValid())
        return QPixmap();
    return QIcon(path).pixmap(size);
}

} // namespace QMWidgets
