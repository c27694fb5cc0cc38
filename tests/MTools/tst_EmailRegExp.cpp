#include "MTools/EmailRegExp.h"

#include <QtTest>

class tst_EmailRegExp : public QObject
{
    Q_OBJECT

private slots:
    void wholeTextMatches_data();
    void wholeTextMatches();
};

void tst_EmailRegExp::wholeTextMatches_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("matches");
    QTest::newRow("plain") << "john.doe@example.com" << true;
    QTest::newRow("underscore and hyphen") << "a_b-c@my-host.co" << true;
    QTest::newRow("plus tag") << "first+tag@mail.org" << true;
    QTest::newRow("long last part") << "x@y.museum" << true;
    QTest::newRow("HTML local-part characters") << "!#$%&'*/=?^`{|}~-@host.net" << true;
    QTest::newRow("subdomains") << "a@b.c.example.de" << true;
    QTest::newRow("numeric last part") << "root@10.0.0.1" << true;
    QTest::newRow("no at sign") << "john.example.com" << false;
    QTest::newRow("no dot in the domain") << "john@localhost" << false;
    QTest::newRow("empty domain label") << "a@b..com" << false;
    QTest::newRow("domain starts with a dot") << "a@.b.com" << false;
    QTest::newRow("one-letter last part") << "a@b.c" << false;
    QTest::newRow("four-digit last part") << "a@b.1234" << false;
    QTest::newRow("empty local part") << "@example.com" << false;
    QTest::newRow("space") << "john doe@example.com" << false;
    QTest::newRow("two at signs") << "a@b@example.com" << false;
}

void tst_EmailRegExp::wholeTextMatches()
{
    QFETCH(QString, text);
    QFETCH(bool, matches);
    QRegExp pattern = MTools::emailRegExp();
    QCOMPARE(pattern.exactMatch(text), matches);
    QCOMPARE(pattern.caseSensitivity(), Qt::CaseSensitive);
}

QTEST_APPLESS_MAIN(tst_EmailRegExp)
#include "tst_EmailRegExp.moc"
