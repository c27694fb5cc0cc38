#include "scripting/automation/KeyNameTable.h"

#include <QtTest>

class tst_KeyNameTable : public QObject
{
    Q_OBJECT

private slots:
    // Runs first: the table is empty until an Editor (here the next test) fills it.
    void unknownBeforeFilled();
    void keyCodeByName_data();
    void keyCodeByName();
    void modifierByName_data();
    void modifierByName();
};

void tst_KeyNameTable::unknownBeforeFilled()
{
    QCOMPARE(QMMistlark::keyCodeByName(QStringLiteral("A")), -1);
    QCOMPARE(QMMistlark::keyCodeByName(QStringLiteral("F1")), -1);
}

void tst_KeyNameTable::keyCodeByName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("key");

    // All 88 names. The ranges run in order: F1 to F12, the digits, the upper-case letters.
    for (int i = 0; i < 12; ++i)
        QTest::addRow("F%d", i + 1) << QStringLiteral("F%1").arg(i + 1) << 0x01000030 + i;
    for (int i = 0; i < 10; ++i)
        QTest::addRow("digit %d", i) << QString::number(i) << 0x30 + i;
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        QTest::addRow("letter %c", letter) << QString(QLatin1Char(letter)) << int(letter);
    // One-character names stand for their own character.
    const struct { const char *name; int key; } named[] = {
        {" ", 0x20}, {"$", 0x24}, {"%", 0x25}, {"&", 0x26}, {"'", 0x27}, {"*", 0x2A}, {"+", 0x2B}, {",", 0x2C},
        {"-", 0x2D}, {":", 0x3A}, {";", 0x3B}, {"<", 0x3C}, {"=", 0x3D}, {">", 0x3E}, {"?", 0x3F}, {"\\", 0x5C},
        {"Pause", 0x01000008}, {"Del", 0x01000007}, {"Insert", 0x01000006}, {"Escape", 0x01000000},
        {"Tab", 0x01000001}, {"Backspace", 0x01000003}, {"Return", 0x01000004}, {"Enter", 0x01000005},
        {"CapsLock", 0x01000024}, {"NumLock", 0x01000025}, {"ScrollLock", 0x01000026}, {"Print", 0x01000009},
        {"Home", 0x01000010}, {"End", 0x01000011}, {"Left", 0x01000012}, {"Up", 0x01000013},
        {"Right", 0x01000014}, {"Down", 0x01000015}, {"PageUp", 0x01000016}, {"PageDown", 0x01000017},
        {"Shift", 0x01000020}, {"Ctrl", 0x01000021}, {"Meta", 0x01000022}, {"Alt", 0x01000023},
    };
    for (const auto &entry : named)
        QTest::addRow("name \"%s\"", entry.name) << QString::fromLatin1(entry.name) << entry.key;

    QTest::newRow("F13 is not named") << "F13" << -1;
    QTest::newRow("lower-case letter unknown") << "a" << -1;
    QTest::newRow("the word Space unknown") << "Space" << -1;
    QTest::newRow("exclamation mark not named") << "!" << -1;
    QTest::newRow("slash not named") << "/" << -1;
    QTest::newRow("Delete is not the name") << "Delete" << -1;
    QTest::newRow("case-sensitive") << "escape" << -1;
    QTest::newRow("no trimming") << " A" << -1;
    QTest::newRow("empty name") << "" << -1;
}

void tst_KeyNameTable::keyCodeByName()
{
    QFETCH(QString, name);
    QFETCH(int, key);

    QMMistlark::initKeyNameTable();
    // A second fill must leave the table as it is.
    QMMistlark::initKeyNameTable();
    QCOMPARE(QMMistlark::keyCodeByName(name), key);
}

void tst_KeyNameTable::modifierByName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("modifier");

    QTest::newRow("Shift") << "Shift" << int(Qt::ShiftModifier);
    QTest::newRow("Ctrl") << "Ctrl" << int(Qt::ControlModifier);
    QTest::newRow("Meta") << "Meta" << int(Qt::MetaModifier);
    QTest::newRow("Alt") << "Alt" << int(Qt::AltModifier);
    QTest::newRow("case-sensitive") << "ctrl" << 0;
    QTest::newRow("Control is not the name") << "Control" << 0;
    QTest::newRow("a key is no modifier") << "A" << 0;
    QTest::newRow("empty text") << "" << 0;
}

void tst_KeyNameTable::modifierByName()
{
    QFETCH(QString, name);
    QFETCH(int, modifier);

    QCOMPARE(int(QMMistlark::modifierByName(name)), modifier);
    QCOMPARE(QMMistlark::isModifierName(name), modifier != 0);
}

QTEST_GUILESS_MAIN(tst_KeyNameTable)
#include "tst_KeyNameTable.moc"
