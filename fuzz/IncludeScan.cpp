// A script's text decides which files the run puts before it. The scan of include("...") calls reads any
// text: it must neither crash nor give a name that the text does not hold between two quotes. Only the
// scan is fuzzed: the include expansion around it resolves names to files and runs each file in a script
// engine, and QtScript is not instrumented and misbehaves under libFuzzer.

#include "scripting/engine/IncludeScan.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const QStringList names = QMMistlark::includeNames(text);

    int quoted = 0;
    for (const QString &name : names) {
        if (name.contains(QLatin1Char('"')) || !text.contains(QLatin1Char('"') + name + QLatin1Char('"')))
            std::abort();
        quoted += name.size() + 2;
    }
    if (quoted > text.size() || (!names.isEmpty() && !text.contains(QLatin1String("include"))))
        std::abort();
    return 0;
}
