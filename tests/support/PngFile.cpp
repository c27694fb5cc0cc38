#include "PngFile.h"

#include <QFile>

QImage readPngFile(const QString &path, QString *why)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *why = file.errorString();
        return QImage();
    }
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith("\x89PNG\r\n\x1a\n")) {
        *why = QStringLiteral("%1 does not start as a PNG").arg(path);
        return QImage();
    }
    QImage image;
    if (!image.loadFromData(bytes, "PNG"))
        *why = QStringLiteral("%1 cannot be read as a PNG").arg(path);
    return image;
}
