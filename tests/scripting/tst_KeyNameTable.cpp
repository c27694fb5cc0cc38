#include "scripting/KeyNameTable.h"

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

    QTest::newRow("F1 first function key") << "F1" << 0x01000030;
    QTest::newRow("F10") << "F10" << 0x01000039;
    QTest::newRow("F12 last function key") << "F12" << 0x0100003B;
    QTest::newRow("F13 is not named") << "F13" << -1;
    QTest::newRow("digit 0") << "0" << 0x30;
    QTest::newRow("digit 9") << "9" << 0x39;
    QTest::newRow("letter A") << "A" << 0x41;
    QTest::newRow("letter Z") << "Z" << 0x5A;
    QTest::newRow("lower-case letter unknown") << "a" << -1;
    QTest::newRow("space is the blank itself") << " " << 0x20;
    QTest::newRow("the word Space unknown") << "Space" << -1;
    QTest::newRow("plus") << "+" << 0x2B;
    QTest::newRow("apostrophe") << "'" << 0x27;
    QTest::newRow("backslash") << "\\" << 0x5C;
    QTest::newRow("question mark") << "?" << 0x3F;
    QTest::newRow("exclamation mark not named") << "!" << -1;
    QTest::newRow("slash not named") << "/" << -1;
    QTest::newRow("Del") << "Del" << 0x01000007;
    QTest::newRow("Delete is not the name") << "Delete" << -1;
    QTest::newRow("Escape") << "Escape" << 0x01000000;
    QTest::newRow("Return and Enter differ") << "Return" << 0x01000004;
    QTest::newRow("Enter") << "Enter" << 0x01000005;
    QTest::newRow("Print") << "Print" << 0x01000009;
    QTest::newRow("PageDown") << "PageDown" << 0x01000017;
    QTest::newRow("ScrollLock") << "ScrollLock" << 0x01000026;
    QTest::newRow("modifier names are keys too") << "Ctrl" << 0x01000021;
    QTest::newRow("Alt") << "Alt" << 0x01000023;
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
