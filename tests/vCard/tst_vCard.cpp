#include "MTools/FileReading.h"
#include "vCard/vCard.h"

#include "ChildRun.h"
#include "HostileFile.h"
#include "PseudoRandomBytes.h"

#include <QTemporaryDir>
#include <QtTest>

class tst_vCard : public QObject
{
    Q_OBJECT

private slots:
    void emptyCard();
    void lookups();
    void readVersion30();
    void readVersion21Phone();
    void cardFraming_data();
    void cardFraming();
    void roundTrip_data();
    void roundTrip();
    void truncatedAndBinaryInput();
    void files();
    void saveOnlyWhatTheReaderTakes_data();
    void saveOnlyWhatTheReaderTakes();
    void hostileFilesAreRefused_data();
    void hostileFilesAreRefused();
};

using Params = QList<vCardParam>;

void tst_vCard::emptyCard()
{
    QCOMPARE(vCard().toByteArray(vCard::Version21), QByteArray("BEGIN:VCARD\nVERSION:2.1\nEND:VCARD"));
    QCOMPARE(vCard().toByteArray(vCard::Version30), QByteArray("BEGIN:VCARD\nVERSION:3.0\nEND:VCARD"));
    QCOMPARE(vCard().toByteArray(5), QByteArray());
    QVERIFY(!vCard().isValid());
}

void tst_vCard::lookups()
{
    const vCardParam home(vCardParam::Type, "home");
    const vCardParam voice(vCardParam::Type, "voice");
    vCard card;
    card.addProperty(vCardProperty("TEL", "1", Params{voice, home}));
    card.addProperties({vCardProperty("TEL", "2", Params{home, voice}), vCardProperty("FN", "Ann")});
    QCOMPARE(card.count(), 3);
    QVERIFY(card.isValid());

    QVERIFY(card.contains(vCardProperty("TEL", "2")));
    QVERIFY(!card.contains(vCardProperty("TEL", "3")));
    QCOMPARE(card.property("TEL", Params{home, voice}, true).value(), QString("2")); // skips the other order
    QCOMPARE(card.property("TEL", Params{home}).value(), QString("1"));
    QCOMPARE(card.property("TEL").value(), QString("1"));
    QVERIFY(!card.contains("tel"));
    QVERIFY(!card.contains("TEL", Params{vCardParam(vCardParam::Type, "fax")}));
    QCOMPARE(card.property("EMAIL").name(), QString());

    card.addProperty(vCardProperty("NOTE", QStringList()));
    QVERIFY(!card.isValid());
}

void tst_vCard::readVersion30()
{
    const QByteArray text = "BEGIN:VCARD\r\n"
                            "VERSION:3.0\r\n"
                            "FN:Ann   Lee\r\n"
                            "TEL;TYPE=home,work:555\r\n"
                            "NOTE:first line\\nsecond\\, with comma\\; and semicolon \r\n"
                            "  folded on\r\n"
                            "\tand on\r\n"
                            "item1.EMAIL;TYPE=INTERNET:ann@example.org\r\n"
                            "itemA.X-LABEL:kept\r\n"
                            "URL:http://example.org:8080/\r\n"
                            "END:VCARD\r\n";
    const QList<vCard> cards = vCard::fromByteArray(text);
    QCOMPARE(cards.size(), 1);
    const QList<vCardProperty> properties = cards.first().properties();
    QCOMPARE(properties.size(), 6);
    QCOMPARE(properties.at(0).value(), QString("Ann Lee")); // inner white space collapses
    QCOMPARE(properties.at(1).params(), (Params{vCardParam(vCardParam::Type, "home"), vCardParam(vCardParam::Type, "work")}));
    QCOMPARE(properties.at(2).values(), QStringList{"first line\nsecond, with comma; and semicolon folded onand on"});
    QCOMPARE(properties.at(3).name(), QString("EMAIL"));
    QCOMPARE(properties.at(4).name(), QString("itemA.X-LABEL"));
    QCOMPARE(properties.at(5).value(), QString("http://example.org:8080/"));
}

void tst_vCard::readVersion21Phone()
{
    // A phone's export: quoted-printable with soft line breaks, Latin-1 and a folded base64 photo.
    const QByteArray text = "BEGIN:VCARD\n"
                            "VERSION:2.1\n"
                            "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:M=C3=BCller;J=C3=\n"
                            "=BCrgen;;;\n"
                            "ADR;HOME;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:;;Hauptstra=DFe 1=0D=0A=\n"
                            "Hinterhaus;Z=FCrich;;8000;\n"
                            "NOTE:C:\\new\\temp\n"
                            "PHOTO;ENCODING=BASE64;TYPE=JPEG:/9j/4AAQ\n"
                            "  SkZJRgAB\n"
                            "  AQEASABI\n"
                            "\n"
                            "END:VCARD\n";
    const QList<vCard> cards = vCard::fromByteArray(text);
    QCOMPARE(cards.size(), 1);
    const vCard &card = cards.first();
    QCOMPARE(card.property("N").values(), (QStringList{QString::fromUtf8("Müller"), QString::fromUtf8("Jürgen"), "", "", ""}));
    QVERIFY(card.property("N").params().isEmpty()); // decoded: encoding and charset dropped
    const vCardProperty address = card.property("ADR");
    QCOMPARE(address.values(), (QStringList{"", "", QString::fromUtf8("Hauptstraße 1\r\nHinterhaus"),
                                            QString::fromUtf8("Zürich"), "", "8000", ""}));
    QCOMPARE(address.params(), Params{vCardParam(vCardParam::Undefined, "HOME")});
    QCOMPARE(card.property("NOTE").value(), QString("C:\\new\\temp"));
    const vCardProperty photo = card.property("PHOTO");
    QCOMPARE(photo.value(), QString("/9j/4AAQSkZJRgABAQEASABI"));
    QCOMPARE(photo.params().size(), 2);

    // Written again and read again, nothing is decoded twice (3.0 has one escape for every line break).
    for (const int version : {int(vCard::Version21), int(vCard::Version30)}) {
        const QList<vCard> again = vCard::fromByteArray(card.toByteArray(version));
        QCOMPARE(again.size(), 1);
        QCOMPARE(again.first().count(), card.count());
        QCOMPARE(again.first().property("N").values(), card.property("N").values());
        QStringList addressValues = address.values();
        if (version == vCard::Version30)
            addressValues[2].replace("\r\n", "\n");
        QCOMPARE(again.first().property("ADR").values(), addressValues);
        QCOMPARE(again.first().property("ADR").params(), address.params());
        QCOMPARE(again.first().property("PHOTO").value(), photo.value());
    }
}

void tst_vCard::cardFraming_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("names"); // the FN of each card read
    QTest::newRow("two cards") << QByteArray("BEGIN:VCARD\nFN:a\nEND:VCARD\nBEGIN:VCARD\nFN:b\nTEL:1\nEND:VCARD")
                               << QStringList{"a", "b"};
    QTest::newRow("lines between cards ignored") << QByteArray("FN:x\nBEGIN:VCARD\nFN:a\nEND:VCARD\nFN:y\nEND:VCARD")
                                                 << QStringList{"a"};
    QTest::newRow("unfinished card dropped")     << QByteArray("BEGIN:VCARD\nFN:a\nEND:VCARD\nBEGIN:VCARD\nFN:b")
                                                 << QStringList{"a"};
    QTest::newRow("BEGIN restarts an unfinished card")
        << QByteArray("BEGIN:VCARD\nFN:lost\nBEGIN:VCARD\nFN:b\nEND:VCARD") << QStringList{"b"};
    QTest::newRow("no cards") << QByteArray("nothing here\n") << QStringList();
    QTest::newRow("soft break before the end line")
        << QByteArray("BEGIN:VCARD\nFN:a\nNOTE;ENCODING=QUOTED-PRINTABLE:x=\nEND:VCARD") << QStringList{"a"};
}

void tst_vCard::cardFraming()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, names);
    QStringList read;
    for (const vCard &card : vCard::fromByteArray(text)) {
        QCOMPARE(card.properties().first().name(), QString("FN"));
        read << card.properties().first().value();
    }
    QCOMPARE(read, names);
}

void tst_vCard::roundTrip_data()
{
    QTest::addColumn<int>("version");
    QTest::newRow("2.1") << int(vCard::Version21);
    QTest::newRow("3.0") << int(vCard::Version30);
}

void tst_vCard::roundTrip()
{
    QFETCH(int, version);
    vCard card;
    card.addProperty(vCardProperty::createName("Ann", "O'Lee; Jr", "", "Dr.", ""));
    card.addProperty(vCardProperty("NOTE", QStringList{"C:\\new, C:\\temp; done", "line one\nline two", "a = b"}));
    card.addProperty(vCardProperty("X-TEXT", QString::fromUtf8("Grüße, 日本 \\; \\n"),
                                   Params{vCardParam(vCardParam::Type, "work"), vCardParam(vCardParam::Undefined, "pref")}));
    card.addProperty(vCardProperty("URL", QStringList{"http://example.org:8080/a;b"}));
    card.addProperty(vCardProperty::createGeographicPosition(47.376886, 8.541694));
    card.addProperty(vCardProperty("EMPTY", QStringList{"", ""}));

    const QByteArray text = card.toByteArray(version);
    const QList<vCard> cards = vCard::fromByteArray(text);
    QCOMPARE(cards.size(), 1);
    const QList<vCardProperty> read = cards.first().properties();
    QCOMPARE(read.size(), card.count());
    for (int i = 0; i < read.size(); ++i) {
        QCOMPARE(read.at(i).name(), card.properties().at(i).name());
        QCOMPARE(read.at(i).values(), card.properties().at(i).values());
    }
    // 3.0 writes a bare type as TYPE=: both read back as what they were, upper-cased.
    const Params expected{vCardParam(version == vCard::Version30 ? vCardParam::Type : vCardParam::Undefined, "WORK"),
                          vCardParam(vCardParam::Undefined, "PREF")};
    QCOMPARE(read.at(2).params(), expected);
    QCOMPARE(vCard::fromByteArray(cards.first().toByteArray(version)).first().properties(), read);
}

void tst_vCard::truncatedAndBinaryInput()
{
    vCard card;
    card.addProperty(vCardProperty("NOTE", QStringList{"line one\nline two", QString::fromUtf8("ü")}));
    card.addProperty(vCardProperty("FN", "Ann"));
    const QByteArray text = card.toByteArray(vCard::Version21);
    // Every cut before the end line loses the card; nothing else goes wrong.
    for (int length = 0; length < text.size() - 1; ++length)
        QVERIFY2(vCard::fromByteArray(text.left(length)).isEmpty(), qPrintable(QString::number(length)));
    QCOMPARE(vCard::fromByteArray(text).size(), 1);

    for (quint32 seed = 1; seed <= 50; ++seed) {
        const QByteArray noise = pseudoRandomBytes(int(seed) * 37, seed);
        const QList<vCard> cards = vCard::fromByteArray("BEGIN:VCARD\n" + noise + "\nEND:VCARD");
        QCOMPARE(cards.size(), 1); // noise holds no line equal to the frame's
    }
    QVERIFY(vCard::fromByteArray(QByteArray("BEGIN:VCARD\nFN:a\0b\nEND:VCARD", 28)).size() == 1);
}

void tst_vCard::files()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    vCard card;
    card.addProperty(vCardProperty("FN", QString::fromUtf8("Zoë")));
    card.addProperty(vCardProperty("NOTE", "two\nlines"));

    const QString path = dir.filePath("card.vcf");
    QVERIFY(card.saveToFile(path));
    QFile written(path);
    QVERIFY2(written.open(QIODevice::ReadOnly), qPrintable(written.errorString()));
    QCOMPARE(written.readAll(), card.toByteArray(vCard::Version21));
    QCOMPARE(vCard::fromFile(path).value(0).properties(), card.properties());

    QFile crlf(dir.filePath("crlf.vcf"));
    QVERIFY(crlf.open(QIODevice::WriteOnly));
    crlf.write("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann\r\nEND:VCARD\r\n");
    crlf.close();
    QCOMPARE(vCard::fromFile(crlf.fileName()).value(0).property("FN").value(), QString("Ann"));

    QVERIFY(vCard::fromFile(dir.filePath("missing.vcf")).isEmpty());
    QVERIFY(!card.saveToFile(dir.filePath("no/such/folder/card.vcf")));
    if (QFile::exists("/dev/full"))
        QVERIFY(!card.saveToFile("/dev/full")); // opens, but the write fails
}

void tst_vCard::saveOnlyWhatTheReaderTakes_data()
{
    QTest::addColumn<int>("pastTheBound");
    QTest::newRow("at the bound: written and read back") << 0;
    QTest::newRow("a byte past the bound: refused, the old file kept") << 1;
}

// fromFile refuses a file larger than its bound: a card that would make one is not saved, rather than saved as a
// file that cannot be opened again.
void tst_vCard::saveOnlyWhatTheReaderTakes()
{
    QFETCH(int, pastTheBound);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("card.vcf");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old card") == 8);
    old.close();

    vCard card;
    card.addProperty(vCardProperty("FN", "Ann"));
    card.addProperty(vCardProperty("NOTE", "x"));
    const int note = int(MTools::SmallFileBound - card.toByteArray(vCard::Version21).size()) + 1 + pastTheBound;
    card = vCard();
    card.addProperty(vCardProperty("FN", "Ann"));
    card.addProperty(vCardProperty("NOTE", QString(note, QLatin1Char('x'))));
    QCOMPARE(card.toByteArray(vCard::Version21).size(), MTools::SmallFileBound + pastTheBound);

    QString error;
    if (pastTheBound) {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("card\\.vcf was not saved: The file would be larger "
                                                              "than 16 MB"));
        QVERIFY(!card.saveToFile(path, &error));
        QCOMPARE(error, QString("The file would be larger than 16 MB, the most this program reads of such a file"));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old card"));
    } else {
        QVERIFY2(card.saveToFile(path, &error), qPrintable(error));
        QCOMPARE(vCard::fromFile(path, &error).value(0).property("NOTE").value().size(), note);
    }
}

void tst_vCard::hostileFilesAreRefused_data()
{
    addHostileFileRows();
}

void tst_vCard::hostileFilesAreRefused()
{
    RUN_ROW_IN_CHILD();
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const HostileFile hostile = makeHostileFile(dir.path(), MTools::SmallFileBound);
    QString error;
    QVERIFY(vCard::fromFile(hostile.path, &error).isEmpty());
    QCOMPARE(error, hostile.reason);
}

QTEST_GUILESS_MAIN(tst_vCard)
#include "tst_vCard.moc"
