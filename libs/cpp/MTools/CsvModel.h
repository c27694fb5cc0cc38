#pragma once

#include "MTools/FileReading.h"

#include <QAbstractTableModel>
#include <QFileInfo>
#include <QList>
#include <QString>
#include <QStringList>

namespace MTools {

// An editable table over the lines of a CSV file whose first line is the header row. Files are UTF-8;
// load reads RFC 4180 (quoted or bare fields, "" for a quote inside quotes, commas and line breaks
// inside quotes, LF or CR LF line ends); save puts every field in quotes and doubles the quotes inside.
// Rows may have more or fewer fields than the header: the columns are the header's, a missing cell
// reads as no value, and fields past the header are kept but not shown.
class CsvModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit CsvModel(QObject *parent = nullptr);
    ~CsvModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // New rows hold one empty text per header column; there must be a header. A count that would take the table
    // past MaxRows is refused, and so is one past the end of int.
    bool insertRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The most rows a table holds: as many as save can write into a file that load still reads, at three bytes
    // (two quotes and the line end) for the smallest row.
    static constexpr qint64 MaxRows = TableFileBound / 3;

    // false, with the model unchanged, when the file cannot be read, is larger than TableFileBound, or would
    // take more memory than 16 times its size (at least 256 MB) as a table, or more than there is; error then
    // receives the reason.
    bool load(const QString &path, QString *error = nullptr);
    // false when the file cannot be written; the file on disk is then left as it was.
    bool save(const QString &path);

    // The lines as read: header first, then one per row.
    QList<QStringList> lines() const { return m_lines; }

    // Splits CSV text into lines of fields.
    static QList<QStringList> parse(const QString &text);
    // The lines in the form save writes.
    static QString format(const QList<QStringList> &lines);

private:
    bool isDataRow(int row) const;

    QList<QStringList> m_lines;
};

// The file name up to its last "."; a name without one whole.
QString fileNameWithoutExtension(const QFileInfo &info);

} // namespace MTools
