#include "HangBound.h"
#include "Platform/Shell.h"

#include "CallRecorder.h"

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
    QTemporaryDir m_bin;
    QTemporaryDir m_output;
    CallRecorder m_recorder;
    QByteArray m_oldPath;
};

void tst_Shell::initTestCase()
{
    QVERIFY2(m_bin.isValid() && m_output.isValid(), qPrintable(m_bin.errorString()));
    // Shell built-ins only: PATH holds nothing but this folder while the tests run.
    QString error;
    QVERIFY2(m_recorder.install(m_bin.filePath("record-call"), m_output.filePath("call.tmp"), &error),
             qPrintable(error));
    m_oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(m_bin.path()));
}

void tst_Shell::cleanupTestCase()
{
    qputenv("PATH", m_oldPath);
}

void tst_Shell::init()
{
    m_recorder.forgetCall();
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
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder.lastCall(), expectedCall, HangBoundMs);
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
