#pragma once

#include <QString>

// The files that every bounded reader refuses, one row each of a test table (column "kind"): a named pipe,
// whose opening would wait for a writer for ever; a file one byte over the reader's bound (sparse, so it
// costs no disk); and a file under /proc that reports its size as 0 but never ends.
void addHostileFileRows();

struct HostileFile
{
    QString path;
    QString reason; // the refusal's message, naming the bound where the size is the reason
};

// Makes the current row's file in the folder, for a reader bounded at the given number of bytes.
HostileFile makeHostileFile(const QString &folder, qint64 bound);
