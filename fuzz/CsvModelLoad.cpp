// Any bytes are a possible CSV file: loading them must neither crash nor lose what a save writes back,
// and every cell the model shows must be readable.

#include "MTools/CsvModel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdlib>

static QString inputPath()
{
    static const QString path = QDir::temp().filePath(QStringLiteral("tarsel-fuzz-%1.csv").arg(QCoreApplication::applicationPid()));
    return path;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    {
        QFile file(inputPath());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    MTools::CsvModel model;
    if (!model.load(inputPath()))
        std::abort();
    const QList<QStringList> lines = model.lines();
    if (MTools::CsvModel::parse(MTools::CsvModel::format(lines)) != lines)
        std::abort();
    const int rows = qMin(model.rowCount(), 64);
    const int columns = qMin(model.columnCount(), 64);
    for (int row = 0; row < rows; ++row) {
        model.headerData(row, Qt::Vertical);
        for (int column = 0; column < columns; ++column) {
            const QModelIndex index = model.index(row, column);
            model.data(index);
            model.data(index, Qt::ToolTipRole);
        }
    }
    if (rows > 0) {
        model.setData(model.index(0, columns - 1), QStringLiteral("x"));
        model.insertRows(rows, 1);
        model.removeRows(0, 1);
    }
    QFile::remove(inputPath());
    return 0;
}
