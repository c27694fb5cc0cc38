#include "CallRecorder.h"

#include <QFile>

bool CallRecorder::install(const QString &programPath, const QString &recordPath, QString *error)
{
    m_recordPath = recordPath;
    QFile program(programPath);
    if (!program.open(QIODevice::WriteOnly)) {
        *error = program.errorString();
        return false;
    }
    const QByteArray script = "#!/bin/sh\n"
                              "{ printf '%s\\n' \"$#\"; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > '"
        + QFile::encodeName(recordPath) + "'\n";
    if (program.write(script) != script.size()) {
        *error = program.errorString();
        return false;
    }
    program.close();
    if (!program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
        *error = program.errorString();
        return false;
    }
    return true;
}

void CallRecorder::forgetCall() const
{
    QFile::remove(m_recordPath);
}

QString CallRecorder::lastCall() const
{
    QFile call(m_recordPath);
    if (!call.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(call.readAll());
}
