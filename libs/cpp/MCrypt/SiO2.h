#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

namespace MCrypt {

// A polyalphabetic substitution: random permutation tables used in turn for successive bytes. The tables
// travel masked with the key (entry n XOR key byte n mod key length, counted over all tables in order), so
// two parties holding the key can share them.
class SiO2
{
public:
    using Tables = QVector<QByteArray>;

    SiO2(const unsigned char *key, int keyLength, unsigned tableCount, unsigned tableSize);
    SiO2(const QByteArray &key, unsigned tableCount, unsigned tableSize);
    // The key is the text's Latin-1 bytes.
    SiO2(const QString &key, unsigned tableCount, unsigned tableSize);
    virtual ~SiO2();

    // False for an empty key, no tables, or a table size outside 1 to 256; such an object does nothing.
    bool isValid() const;
    unsigned tableCount() const { return m_tableCount; }
    unsigned tableSize() const { return m_tableSize; }
    const Tables &tables() const { return m_tables; }

    void generateTables();
    // Fresh tables, returned masked (table count x table size bytes, table 0 first).
    QByteArray exportTables();
    // False, with the tables unchanged, when fewer than table count x table size bytes are given.
    bool importTables(const QByteArray &masked);

    static QByteArray tablesToByteArray(const Tables &tables);
    // Byte i becomes entry (byte i) of table i mod count; empty when a byte is not below the table size.
    static QByteArray substitute(const QByteArray &data, const Tables &tables);
    // Every index whose entry in table i mod count equals byte i, ascending: one with permutation tables.
    static QByteArray unsubstitute(const QByteArray &data, const Tables &tables);
    static void dumpTables(const Tables &tables);

    QByteArray encrypt(const QByteArray &data) const;
    QByteArray decrypt(const QByteArray &data) const;

private:
    void allocate();
    void mask();

    unsigned m_tableSize = 0;
    unsigned m_tableCount = 0;
    QByteArray m_key;
    Tables m_tables;
    Tables m_maskedTables;
};

// Round trip of the bytes 0 to 99 through export, import and both substitutions, written to the debug stream.
void testSiO2();

} // namespace MCrypt
