#include "MTools/CsvModel.h"

#include "MTools/FileReading.h"
#include "MTools/FileWriting.h"

#include <QCoreApplication>
#include <QSize>

#include <algorithm>
#include <limits>
#include <new>

namespace MTools {

namespace {

const QChar quote = QLatin1Char('"');
const QChar comma = QLatin1Char(',');
const QChar lineFeed = QLatin1Char('\n');
const QChar carriageReturn = QLatin1Char('\r');

// What the model keeps for what it parses, as the allocator hands it out (measured: a file of empty lines took
// about 60 bytes a line, one of one-character cells about 60 bytes a cell): a row's list with its entry, a
// cell's entry, and a cell's text with its header.
constexpr qint64 RowMemory = 64;
constexpr qint64 CellMemory = 16;
qint64 textMemory(int length)
{
    return length == 0 ? 0 : (2 * qint64(length) + 26 + 8 + 15) / 16 * 16;
}

// A table may take this many times the size of its file, and this much whatever its size.
constexpr qint64 MemoryPerFileByte = 16;
constexpr qint64 MemoryFloor = 256 * 1024 * 1024;

QString translated(const char *text)
{
    return QCoreApplication::translate("MTools::CsvModel", text);
}

// Splits the text into lines of fields, counting what they take; false, with lines cut short, past the budget.
bool parseWithin(const QString &text, qint64 budget, QList<QStringList> *lines)
{
    qint64 kept = 0;
    const QChar *position = text.constData();
    const QChar *const end = position + text.size();
    while (position < end) {
        QStringList fields;
        kept += RowMemory;
        for (;;) {
            QString field;
            if (position < end && *position == quote) {
                ++position;
                for (;;) {
                    const QChar *run = position;
                    while (position < end && *position != quote)
                        ++position;
                    field.append(run, int(position - run));
                    if (position == end)
                        break; // unclosed: keep what was there
                    ++position;
                    if (position < end && *position == quote) {
                        field.append(quote);
                        ++position;
                        continue;
                    }
                    break;
                }
            }
            // Bare text, or stray text after a closing quote, runs to the next comma or line end.
            const QChar *run = position;
            while (position < end && *position != comma && *position != lineFeed && *position != carriageReturn)
                ++position;
            if (field.isEmpty())
                field = QString(run, int(position - run));
            else
                field.append(run, int(position - run));
            kept += CellMemory + textMemory(field.size());
            if (kept > budget)
                return false;
            fields.append(field);
            if (position < end && *position == comma) {
                ++position;
                continue;
            }
            break;
        }
        if (position < end && *position == carriageReturn)
            ++position;
        if (position < end && *position == lineFeed)
            ++position;
        lines->append(fields);
    }
    return true;
}

} // namespace

CsvModel::CsvModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

CsvModel::~CsvModel() = default;

bool CsvModel::isDataRow(int row) const
{
    return row >= 0 && row < m_lines.size() - 1;
}

int CsvModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || m_lines.isEmpty())
        return 0;
    return m_lines.size() - 1;
}

int CsvModel::columnCount(const QModelIndex &) const
{
    return m_lines.isEmpty() ? 0 : m_lines.first().size();
}

bool CsvModel::hasChildren(const QModelIndex &parent) const
{
    return !parent.isValid();
}

QVariant CsvModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || m_lines.isEmpty() || !isDataRow(index.row()) || index.column() < 0
        || index.column() >= columnCount())
        return QVariant();
    const QStringList &line = m_lines.at(index.row() + 1);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (index.column() >= line.size())
            return QVariant();
        return line.at(index.column());
    case Qt::ToolTipRole: {
        QString tip = QStringLiteral("<table>");
        const int shown = qMin(line.size(), columnCount());
        for (int i = 0; i < shown; ++i) {
            if (line.at(i).isEmpty())
                continue;
            tip += QStringLiteral("<tr><td><b>%1</b>: %2</td></tr>")
                       .arg(headerData(i, Qt::Horizontal, Qt::DisplayRole).toString(), line.at(i));
        }
        return tip + QStringLiteral("</table>");
    }
    case Qt::SizeHintRole:
        return QSize(30, 12);
    default:
        return QVariant();
    }
}

bool CsvModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.model() != this || (role != Qt::DisplayRole && role != Qt::EditRole)
        || !isDataRow(index.row()) || index.column() < 0 || index.column() >= columnCount())
        return false;
    QStringList &line = m_lines[index.row() + 1];
    // A short row grows to the edited cell.
    while (line.size() <= index.column())
        line.append(QString());
    line[index.column()] = value.toString();
    emit dataChanged(index, index);
    return true;
}

QVariant CsvModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (m_lines.isEmpty())
        return QVariant();
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal) {
        if (section < 0 || section >= columnCount())
            return QVariant();
        return m_lines.first().at(section);
    }
    if (role == Qt::DisplayRole && orientation == Qt::Vertical) {
        if (section < 0 || section >= rowCount())
            return QVariant();
        return section + 1;
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool CsvModel::insertRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || m_lines.isEmpty() || count < 1 || row < 0 || row > rowCount()
        || count > MaxRows - rowCount())
        return false;
    beginInsertRows(QModelIndex(), row, row + count - 1);
    // All at the end, then turned into place: one pass over the rows after them, however many come. Inserted one
    // by one, every row moved all those after it, and a million-row table took seconds.
    const QStringList empty = QVector<QString>(columnCount()).toList();
    m_lines.reserve(m_lines.size() + count);
    for (int i = 0; i < count; ++i)
        m_lines.append(empty);
    std::rotate(m_lines.begin() + row + 1, m_lines.end() - count, m_lines.end());
    endInsertRows();
    return true;
}

bool CsvModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || count < 1 || row < 0 || qint64(row) + count >= m_lines.size())
        return false;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    m_lines.erase(m_lines.begin() + row + 1, m_lines.begin() + row + 1 + count);
    endRemoveRows();
    return true;
}

Qt::ItemFlags CsvModel::flags(const QModelIndex &index) const
{
    if (!index.isValid() || m_lines.isEmpty())
        return Qt::NoItemFlags;
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

QList<QStringList> CsvModel::parse(const QString &text)
{
    QList<QStringList> lines;
    parseWithin(text, std::numeric_limits<qint64>::max(), &lines);
    return lines;
}

bool CsvModel::load(const QString &path, QString *error)
{
    QByteArray bytes;
    if (!readFileBounded(path, TableFileBound, &bytes, error))
        return false;
    // What the table will keep is counted as it is parsed: a file of empty lines or of one-character cells
    // takes some 60 bytes of memory a byte, and would end the program long before the file's bound.
    const qint64 budget = qMax(MemoryFloor, MemoryPerFileByte * bytes.size());
    QList<QStringList> lines;
    try {
        // The bytes go before the parse, which holds the text and the fields at once.
        QString text = QString::fromUtf8(bytes);
        bytes = QByteArray();
        if (!parseWithin(text, budget, &lines)) {
            if (error)
                *error = translated("The table would take more than %1 of memory, the most this program gives "
                                    "a table of this size")
                             .arg(describeBound(budget));
            return false;
        }
    } catch (const std::bad_alloc &) {
        if (error)
            *error = translated("There is not enough memory for this table");
        return false;
    }
    beginResetModel();
    m_lines.swap(lines);
    endResetModel();
    return true;
}

QString CsvModel::format(const QList<QStringList> &lines)
{
    const QString doubled = QStringLiteral("\"\"");
    const QString separator = QStringLiteral("\",\"");
    QString text;
    for (const QStringList &line : lines) {
        text += quote;
        for (int i = 0; i < line.size(); ++i) {
            if (i > 0)
                text += separator;
            if (line.at(i).contains(quote))
                text += QString(line.at(i)).replace(quote, doubled);
            else
                text += line.at(i);
        }
        text += quote;
        text += lineFeed;
    }
    return text;
}

bool CsvModel::save(const QString &path)
{
    return writeFileSafely(path, format(m_lines).toUtf8());
}

QString fileNameWithoutExtension(const QFileInfo &info)
{
    const QString name = info.fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

} // namespace MTools
