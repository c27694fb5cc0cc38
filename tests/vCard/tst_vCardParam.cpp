#include "vCard/vCard.h"
#include "vCard/vCardParam.h"

#include <QtTest>

class tst_vCardParam : public QObject
{
    Q_OBJECT

private slots:
    void listText_data();
    void listText();
    void upperCasesAsciiOnly();
    void read_data();
    void read();
};

using Params = QList<vCardParam>;
Q_DECLARE_METATYPE(Params)

void tst_vCardParam::listText_data()
{
    QTest::addColumn<Params>("params");
    QTest::addColumn<int>("version");
    QTest::addColumn<QByteArray>("text");
    const Params mixed{vCardParam(vCardParam::Encoding, "b"), vCardParam(vCardParam::Type, "work"),
                       vCardParam(vCardParam::Undefined, "pref"), vCardParam(vCardParam::Charset, "utf-8"),
                       vCardParam(vCardParam::Type, "fax")};
    QTest::newRow("3.0 groups types first") << mixed << int(vCard::Version30)
                                            << QByteArray("TYPE=WORK,FAX;PREF;CHARSET=UTF-8;ENCODING=B");
    QTest::newRow("2.1 keeps list order")   << mixed << int(vCard::Version21)
                                            << QByteArray("ENCODING=B;WORK;PREF;CHARSET=UTF-8;FAX");
    QTest::newRow("empty list")             << Params() << int(vCard::Version30) << QByteArray();
    QTest::newRow("unknown version")        << mixed << 2 << QByteArray();
}

void tst_vCardParam::listText()
{
    QFETCH(Params, params);
    QFETCH(int, version);
    QFETCH(QByteArray, text);
    QCOMPARE(vCardParam::toByteArray(params, version), text);
}

void tst_vCardParam::upperCasesAsciiOnly()
{
    // Latin-1 upper-casing of the UTF-8 bytes of "ü" (C3 BC) would turn them into other characters.
    const vCardParam param(vCardParam::Type, QString::fromUtf8("grüße"));
    QCOMPARE(param.toByteArray(vCard::Version30), QString::fromUtf8("TYPE=GRüßE").toUtf8());
    QCOMPARE(param.toByteArray(vCard::Version21), QString::fromUtf8("GRüßE").toUtf8());
    QCOMPARE(vCardParam::toByteArray({param}, vCard::Version21), QString::fromUtf8("GRüßE").toUtf8());
    QCOMPARE(vCardParam(vCardParam::Charset, "x").toByteArray(7), QByteArray());
}

void tst_vCardParam::read_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Params>("params");
    QTest::newRow("types split at commas") << QByteArray("TYPE=home,work")
                                           << Params{vCardParam(vCardParam::Type, "home"), vCardParam(vCardParam::Type, "work")};
    QTest::newRow("name case ignored")     << QByteArray("encoding=b;ENCODING=b")
                                           << Params{vCardParam(vCardParam::Encoding, "b"), vCardParam(vCardParam::Encoding, "b")};
    QTest::newRow("charset")               << QByteArray("CHARSET=utf-8")
                                           << Params{vCardParam(vCardParam::Charset, "utf-8")};
    QTest::newRow("bare 2.1 type")         << QByteArray("HOME;;VOICE")
                                           << Params{vCardParam(vCardParam::Undefined, "HOME"), vCardParam(vCardParam::Undefined, "VOICE")};
    QTest::newRow("empty type value")      << QByteArray("TYPE=") << Params{vCardParam(vCardParam::Type, "")};
}

void tst_vCardParam::read()
{
    QFETCH(QByteArray, text);
    QFETCH(Params, params);
    QCOMPARE(vCardParam::fromByteArray(text), params);
}

QTEST_GUILESS_MAIN(tst_vCardParam)
#include "tst_vCardParam.moc"
