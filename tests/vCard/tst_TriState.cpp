#include "vCard/TriState.h"

#include <QtTest>

class tst_TriState : public QObject
{
    Q_OBJECT

private slots:
    void toBool_data();
    void toBool();
    void assignAndCompare();
};

void tst_TriState::toBool_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("result");
    QTest::addColumn<bool>("defined");
    QTest::newRow("false")                    << 0 << false << true;
    QTest::newRow("true")                     << 1 << true << true;
    QTest::newRow("undefined clears the flag") << 1000 << false << false;
    QTest::newRow("other value: flag kept")    << 2 << false << true;
}

void tst_TriState::toBool()
{
    QFETCH(int, value);
    QFETCH(bool, result);
    QFETCH(bool, defined);
    const TriState state(value);
    bool flag = true;
    QCOMPARE(state.toBool(&flag), result);
    QCOMPARE(flag, defined);
}

void tst_TriState::assignAndCompare()
{
    TriState state;
    QCOMPARE(state.value(), int(TriState::Undefined));
    state = true;
    QCOMPARE(state.value(), 1);
    QVERIFY(state == TriState(1));
    state.set(false);
    QVERIFY(state != TriState(true));
    state.set(7);
    QCOMPARE(state.value(), 7);
}

QTEST_GUILESS_MAIN(tst_TriState)
#include "tst_TriState.moc"
