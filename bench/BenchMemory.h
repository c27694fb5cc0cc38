#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>

// A field of this process's /proc/self/status in kB ("VmRSS:" now, "VmHWM:" the peak so far); -1 when unknown.
inline qint64 statusKilobytes(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}
