#include "Platform/Shell.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Drives the stand-in with a program of its own on PATH that writes down how it was called.
class tst_Shell : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void startsProgramWithParametersAsOneArgument_data();
    void startsProgramWithParametersAsOneArgument();
    void failuresGiveSmallCodes_data();
    void failuresGiveSmallCodes();

private:
    QString readCall() const;

    QTemporaryDir m_bin;
    QTemporaryDir m_output;
    QByteArray m_oldPath;
};

void tst_Shell::initTestCase()
{
    QVERIFY2(m_bin.isValid() && m_output.isValid(), qPrintable(m_bin.errorString()));
    QFile program(m_bin.filePath("record-call"));
    QVERIFY2(program.open(QIODevice::WriteOnly), qPrintable(program.errorString()));
    // Shell built-ins only: PATH holds nothing but this folder while the tests run.
    program.write("#!/bin/sh\n"
                  "{ printf '%s\\n' \"$#\"; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > '"
                  + QFile::encodeName(m_output.filePath("call.tmp")) + "'\n");
    program.close();
    QVERIFY(program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    m_oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(m_bin.path()));
}

void tst_Shell::cleanupTestCase()
{
    qputenv("PATH", m_oldPath);
}

void tst_Shell::init()
{
    QFile::remove(m_output.filePath("call.tmp"));
}

QString tst_Shell::readCall() const
{
    QFile call(m_output.filePath("call.tmp"));
    if (!call.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(call.readAll());
}

void tst_Shell::startsProgramWithParametersAsOneArgument_data()
{
    QTest::addColumn<QString>("verb");
    QTest::addColumn<QString>("parameters");
    QTest::addColumn<QString>("expectedCall");
    QTest::newRow("quotes, commas and blanks kept in one argument")
        << "open" << "/e,/select,\"/tmp/my notes/a.txt\"" << "1\n/e,/select,\"/tmp/my notes/a.txt\"\n";
    QTest::newRow("no parameters, no argument") << "open" << "" << "0\n";
    QTest::newRow("empty verb opens too") << "" << "x y" << "1\nx y\n";
}

void tst_Shell::startsProgramWithParametersAsOneArgument()
{
    QFETCH(QString, verb);
    QFETCH(QString, parameters);
    QFETCH(QString, expectedCall);

    const int result = Platform::Shell::execute(verb, "record-call", parameters, Platform::Shell::ShowNormal);
    QVERIFY2(Platform::Shell::succeeded(result), qPrintable(QString::number(result)));
    QTRY_COMPARE(readCall(), expectedCall);
}

void tst_Shell::failuresGiveSmallCodes_data()
{
    QTest::addColumn<QString>("verb");
    QTest::addColumn<QString>("program");
    QTest::addColumn<int>("expectedResult");
    QTest::newRow("program not on PATH") << "open" << "explorer.exe" << int(Platform::Shell::FileNotFound);
    QTest::newRow("verb the stand-in cannot honour")
        << "print" << "record-call" << int(Platform::Shell::NoAssociation);
}

void tst_Shell::failuresGiveSmallCodes()
{
    QFETCH(QString, verb);
    QFETCH(QString, program);
    QFETCH(int, expectedResult);

    const int result = Platform::Shell::execute(verb, program, "/e", Platform::Shell::ShowNormal);
    QCOMPARE(result, expectedResult);
    QVERIFY(!Platform::Shell::succeeded(result));
}

QTEST_GUILESS_MAIN(tst_Shell)
#include "tst_Shell.moc"
