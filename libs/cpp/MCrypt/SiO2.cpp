#include "MCrypt/SiO2.h"

#include <QDebug>
#include <QRandomGenerator>

namespace MCrypt {

SiO2::SiO2(const unsigned char *key, int keyLength, unsigned tableCount, unsigned tableSize)
    : SiO2(key && keyLength > 0 ? QByteArray(reinterpret_cast<const char *>(key), keyLength) : QByteArray(),
           tableCount, tableSize)
{
}

SiO2::SiO2(const QByteArray &key, unsigned tableCount, unsigned tableSize)
    : m_tableSize(tableSize), m_tableCount(tableCount), m_key(key)
{
    allocate();
}

SiO2::SiO2(const QString &key, unsigned tableCount, unsigned tableSize)
    : SiO2(key.toLatin1(), tableCount, tableSize)
{
}

SiO2::~SiO2() = default;

bool SiO2::isValid() const
{
    return !m_key.isEmpty() && m_tableCount > 0 && m_tableSize >= 1 && m_tableSize <= 256;
}

void SiO2::allocate()
{
    m_tables.clear();
    m_maskedTables.clear();
    if (!isValid())
        return;
    m_tables.fill(QByteArray(int(m_tableSize), '\0'), int(m_tableCount));
    m_maskedTables = m_tables;
}

void SiO2::mask()
{
    const int keyLength = m_key.size();
    int n = 0;
    for (int t = 0; t < m_tables.size(); ++t) {
        const QByteArray &table = m_tables.at(t);
        QByteArray &masked = m_maskedTables[t];
        for (int i = 0; i < table.size(); ++i, ++n)
            masked[i] = char(table.at(i) ^ m_key.at(n % keyLength));
    }
}

void SiO2::generateTables()
{
    if (!isValid())
        return;
    QRandomGenerator *random = QRandomGenerator::system();
    const int size = int(m_tableSize);
    for (QByteArray &table : m_tables) {
        // Fisher-Yates: every permutation equally likely, from the system's random source.
        for (int i = 0; i < size; ++i)
            table[i] = char(i);
        for (int i = size - 1; i > 0; --i) {
            const int j = int(random->bounded(quint32(i + 1)));
            const char swap = table.at(i);
            table[i] = table.at(j);
            table[j] = swap;
        }
    }
    mask();
}

QByteArray SiO2::exportTables()
{
    generateTables();
    return tablesToByteArray(m_maskedTables);
}

bool SiO2::importTables(const QByteArray &masked)
{
    if (!isValid() || quint64(masked.size()) < quint64(m_tableCount) * m_tableSize)
        return false;
    const int size = int(m_tableSize);
    const int keyLength = m_key.size();
    int n = 0;
    for (int t = 0; t < m_maskedTables.size(); ++t) {
        m_maskedTables[t] = masked.mid(t * size, size);
        for (int i = 0; i < size; ++i, ++n)
            m_tables[t][i] = char(m_maskedTables.at(t).at(i) ^ m_key.at(n % keyLength));
    }
    return true;
}

QByteArray SiO2::tablesToByteArray(const Tables &tables)
{
    QByteArray bytes;
    for (const QByteArray &table : tables)
        bytes += table;
    return bytes;
}

QByteArray SiO2::substitute(const QByteArray &data, const Tables &tables)
{
    if (tables.isEmpty())
        return QByteArray();
    QByteArray result(data.size(), Qt::Uninitialized);
    for (int i = 0; i < data.size(); ++i) {
        const QByteArray &table = tables.at(i % tables.size());
        const int index = quint8(data.at(i));
        if (index >= table.size())
            return QByteArray();
        result[i] = table.at(index);
    }
    return result;
}

QByteArray SiO2::unsubstitute(const QByteArray &data, const Tables &tables)
{
    QByteArray result;
    if (tables.isEmpty())
        return result;
    result.reserve(data.size());
    for (int i = 0; i < data.size(); ++i) {
        const QByteArray &table = tables.at(i % tables.size());
        const char byte = data.at(i);
        for (int j = 0; j < table.size(); ++j) {
            if (table.at(j) == byte)
                result += char(j);
        }
    }
    return result;
}

void SiO2::dumpTables(const Tables &tables)
{
    for (const QByteArray &table : tables) {
        QString line;
        for (const char entry : table)
            line += QString::number(quint8(entry)) + QLatin1Char(',');
        qDebug().noquote() << line;
    }
}

QByteArray SiO2::encrypt(const QByteArray &data) const
{
    return substitute(data, m_tables);
}

QByteArray SiO2::decrypt(const QByteArray &data) const
{
    return unsubstitute(data, m_tables);
}

void testSiO2()
{
    QByteArray data;
    for (int i = 0; i < 100; ++i)
        data += char(i);
    const QByteArray key("SiO2");

    SiO2 sender(key, 256, 256);
    const QByteArray masked = sender.exportTables();
    const QByteArray crypted = SiO2::unsubstitute(data, sender.tables());

    SiO2 receiver(key, 256, 256);
    receiver.importTables(masked);
    const QByteArray decrypted = SiO2::substitute(crypted, receiver.tables());

    qDebug() << "!Orig     :" << data;
    qDebug() << "!Crypted  :" << crypted;
    qDebug() << "!Decrypted:" << decrypted;
}

} // namespace MCrypt
