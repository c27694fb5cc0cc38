// Any bytes are a possible CSV file: loading them must neither crash nor lose what a save writes back,
// and every cell the model shows must be readable.

#include "FuzzInput.h"
#include "MTools/CsvModel.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = writeFuzzInput(data, size, QStringLiteral("input.csv"));
    MTools::CsvModel model;
    if (!model.load(path))
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
    return 0;
}
