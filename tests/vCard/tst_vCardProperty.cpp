#include "vCard/vCard.h"
#include "vCard/vCardProperty.h"

#include <QtTest>

#include <ctime>

class tst_vCardProperty : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void line_data();
    void line();
    void factories();
    void birthdayInUtc();
    void geoReadsBackTheSameNumber_data();
    void geoReadsBackTheSameNumber();
    void equalityAndValidity();
    void read_data();
    void read();
};

using Params = QList<vCardParam>;

void tst_vCardProperty::initTestCase()
{
    // Local time two hours ahead of UTC, all year round, so the birthday conversion has a fixed answer.
    qputenv("TZ", "XYZ-02:00");
    tzset();
}

void tst_vCardProperty::line_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<int>("typeCount");
    QTest::addColumn<int>("version");
    QTest::addColumn<QByteArray>("line");
    const int v21 = vCard::Version21;
    const int v30 = vCard::Version30;
    QTest::newRow("2.1 bare types")        << "tel" << QStringList{"555 1234"} << 2 << v21 << QByteArray("TEL;HOME;VOICE:555 1234");
    QTest::newRow("3.0 one TYPE entry")    << "tel" << QStringList{"555 1234"} << 2 << v30 << QByteArray("TEL;TYPE=HOME,VOICE:555 1234");
    QTest::newRow("no parameters")         << "FN" << QStringList{"Ann Lee"} << 0 << v30 << QByteArray("FN:Ann Lee");
    QTest::newRow("no values")             << "NOTE" << QStringList() << 0 << v21 << QByteArray("NOTE:");
    QTest::newRow("values keep their case") << "Fn" << QStringList{"aNN"} << 0 << v21 << QByteArray("FN:aNN");
    QTest::newRow("name upper-cased as ASCII") << QString::fromUtf8("x-grüß") << QStringList{"v"} << 0 << v30
                                               << QString::fromUtf8("X-GRüß:v").toUtf8();
    QTest::newRow("3.0 escapes")           << "NOTE" << QStringList{"a;b", "c,d\\e\nf", "g\r\nh"} << 0 << v30
                                           << QByteArray("NOTE:a\\;b;c\\,d\\\\e\\nf;g\\nh");
    QTest::newRow("2.1 escapes \\ and ; only") << "NOTE" << QStringList{"a;b", "C:\\new, old"} << 0 << v21
                                               << QByteArray("NOTE:a\\;b;C:\\\\new, old");
    QTest::newRow("2.1 line break: quoted-printable") << "NOTE" << QStringList{"one\ntwo = 2 "} << 0 << v21
                                               << QByteArray("NOTE;ENCODING=QUOTED-PRINTABLE:one=0Atwo =3D 2=20");
    QTest::newRow("2.1 quoted-printable UTF-8") << "NOTE" << QStringList{QString::fromUtf8("ü\r\n;")} << 1 << v21
                                               << QByteArray("NOTE;HOME;ENCODING=QUOTED-PRINTABLE:=C3=BC=0D=0A\\;");
    QTest::newRow("unknown version")       << "FN" << QStringList{"x"} << 0 << 2 << QByteArray();
}

void tst_vCardProperty::line()
{
    QFETCH(QString, name);
    QFETCH(QStringList, values);
    QFETCH(int, typeCount);
    QFETCH(int, version);
    QFETCH(QByteArray, line);
    const Params types = Params{vCardParam(vCardParam::Type, "home"), vCardParam(vCardParam::Type, "voice")}.mid(0, typeCount);
    QCOMPARE(vCardProperty(name, values, types).toByteArray(version), line);
}

void tst_vCardProperty::factories()
{
    const Params work{vCardParam(vCardParam::Type, "work")};
    const vCardProperty name = vCardProperty::createName("Ann", "Lee", "", "Dr.", "", work);
    QCOMPARE(name.name(), QString("N"));
    QCOMPARE(name.values(), (QStringList{"Lee", "Ann", "", "Dr.", ""}));
    QCOMPARE(name.params(), work);

    const vCardProperty address = vCardProperty::createAddress("1 Main St", "Town", "Region", "12345", "Land",
                                                               "PO 9", "Suite 2", work);
    QCOMPARE(address.values(), (QStringList{"PO 9", "Suite 2", "1 Main St", "Town", "Region", "12345", "Land"}));
    QCOMPARE(address.params(), work);

    const vCardProperty organization = vCardProperty::createOrganization("Borlune", {"R&D", "Tools"});
    QCOMPARE(organization.values(), (QStringList{"Borlune", "R&D", "Tools"}));
    QCOMPARE(organization.value(), QString("Borlune;R&D;Tools"));

    const vCardProperty birthday = vCardProperty::createBirthday(QDate(1990, 5, 17), work);
    QCOMPARE(birthday.name(), QString("BDAY"));
    QCOMPARE(birthday.values(), QStringList{"1990-05-17"});
    QCOMPARE(birthday.params(), work);
}

void tst_vCardProperty::birthdayInUtc()
{
    const QDateTime local(QDate(1990, 5, 17), QTime(1, 30, 5), Qt::LocalTime);
    QCOMPARE(vCardProperty::createBirthday(local).value(), QString("1990-05-16T23:30:05Z"));
    const QDateTime offset(QDate(2000, 1, 1), QTime(12, 0), Qt::OffsetFromUTC, -5 * 3600);
    QCOMPARE(vCardProperty::createBirthday(offset).value(), QString("2000-01-01T17:00:00Z"));
    const QDateTime utc(QDate(2000, 1, 1), QTime(12, 0), Qt::UTC);
    QCOMPARE(vCardProperty::createBirthday(utc).value(), QString("2000-01-01T12:00:00Z"));
}

void tst_vCardProperty::geoReadsBackTheSameNumber_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QString>("text");
    QTest::newRow("more than 6 digits kept") << 47.123456789 << 8.5417 << "47.123456789;8.5417";
    QTest::newRow("negative")                << -33.8688 << 151.2093 << "-33.8688;151.2093";
    QTest::newRow("whole numbers")           << 0.0 << -180.0 << "0;-180";
    QTest::newRow("tiny")                    << 1e-7 << 0.1 << "1e-07;0.1";
}

void tst_vCardProperty::geoReadsBackTheSameNumber()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(QString, text);
    const vCardProperty geo = vCardProperty::createGeographicPosition(latitude, longitude);
    QCOMPARE(geo.name(), QString("GEO"));
    QCOMPARE(geo.value(), text);
    QCOMPARE(geo.values().at(0).toDouble(), latitude);
    QCOMPARE(geo.values().at(1).toDouble(), longitude);
}

void tst_vCardProperty::equalityAndValidity()
{
    const vCardProperty home("TEL", "555", Params{vCardParam(vCardParam::Type, "home")});
    const vCardProperty work("TEL", "555", Params{vCardParam(vCardParam::Type, "work")});
    QVERIFY(home == work);
    QVERIFY(home != vCardProperty("tel", "555"));
    QVERIFY(home != vCardProperty("TEL", "556"));
    QCOMPARE(vCardProperty("ADR", ";;street").values(), (QStringList{"", "", "street"}));

    QVERIFY(home.isValid());
    QVERIFY(!vCardProperty("", "x").isValid());
    QVERIFY(!vCardProperty("X", QStringList()).isValid());
    QVERIFY(!vCardProperty("X", "x", Params{vCardParam(vCardParam::Type, "")}).isValid());
    QVERIFY(!vCardProperty("X", "x", QString("TYPE=")).isValid());
    QVERIFY(!vCardProperty().isValid());
}

void tst_vCardProperty::read_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("version");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<int>("paramCount");
    const int v21 = vCard::Version21;
    const int v30 = vCard::Version30;
    QTest::newRow("types")                   << QByteArray("TEL;TYPE=home,work:555") << v30 << "TEL" << QStringList{"555"} << 2;
    QTest::newRow("value after first colon") << QByteArray("NOTE:at 10:30") << v30 << "NOTE" << QStringList{"at 10:30"} << 0;
    QTest::newRow("raw line keeps its CR")   << QByteArray("FN:Ann\r") << v30 << "FN" << QStringList{"Ann\r"} << 0;
    QTest::newRow("3.0 escapes undone")      << QByteArray("NOTE:a\\;b;c\\,d\\\\e\\nf\\Ng") << v30 << "NOTE"
                                             << QStringList{"a;b", "c,d\\e\nf\ng"} << 0;
    QTest::newRow("2.1 leaves \\n alone")    << QByteArray("NOTE:C:\\new\\;x\\\\y") << v21 << "NOTE"
                                             << QStringList{"C:\\new;x\\y"} << 0;
    QTest::newRow("3.0 reads \\n as a break") << QByteArray("NOTE:C:\\new") << v30 << "NOTE" << QStringList{"C:\new"} << 0;
    QTest::newRow("unknown escape kept")     << QByteArray("NOTE:a\\tb\\") << v30 << "NOTE" << QStringList{"a\\tb\\"} << 0;
    QTest::newRow("quoted-printable, params dropped")
        << QByteArray("NOTE;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8;HOME:=C3=BC=0A=3D=4") << v21 << "NOTE"
        << QStringList{QString::fromUtf8("ü\n=") + "=4"} << 1;
    QTest::newRow("quoted-printable in Latin-1")
        << QByteArray("N;CHARSET=ISO-8859-1;QUOTED-PRINTABLE:M=FCller;Ann") << v21 << "N"
        << QStringList{QString::fromUtf8("Müller"), "Ann"} << 0;
}

void tst_vCardProperty::read()
{
    QFETCH(QByteArray, text);
    QFETCH(int, version);
    QFETCH(QString, name);
    QFETCH(QStringList, values);
    QFETCH(int, paramCount);
    const QList<vCardProperty> properties = vCardProperty::fromByteArray(text, version);
    QCOMPARE(properties.size(), 1);
    QCOMPARE(properties.first().name(), name);
    QCOMPARE(properties.first().values(), values);
    QCOMPARE(properties.first().params().size(), paramCount);

    // Lines without a colon, the card's frame and its VERSION yield nothing.
    QCOMPARE(vCardProperty::fromByteArray("BEGIN:VCARD\nVERSION:3.0\nno colon\nEND:VCARD").size(), 0);
}

QTEST_GUILESS_MAIN(tst_vCardProperty)
#include "tst_vCardProperty.moc"
