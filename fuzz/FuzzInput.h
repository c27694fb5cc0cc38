#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

// Readers that take a path get the input as a file of the given name in a temporary folder of the process.
// A harness that cannot write its input would prove nothing, so that stops the run.
inline QString writeFuzzInput(const uint8_t *data, size_t size, const QString &name)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!folder.isValid() || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        std::abort();
    return path;
}
