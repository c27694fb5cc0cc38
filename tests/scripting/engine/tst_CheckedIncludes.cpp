#include "scripting/engine/CheckedIncludes.h"
#include "scripting/engine/ScriptEngine.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using QMMistlark::CheckedIncludes;

class tst_CheckedIncludes : public QObject
{
    Q_OBJECT

private slots:
    void changeBetweenChecks_data();
    void changeBetweenChecks();
    void stoppedCheckIsNotKept();

private:
    void write(const QString &fileName, const QByteArray &content);
};

void tst_CheckedIncludes::write(const QString &fileName, const QByteArray &content)
{
    QFile file(fileName);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    QCOMPARE(file.write(content), qint64(content.size()));
}

void tst_CheckedIncludes::changeBetweenChecks_data()
{
    QTest::addColumn<QByteArray>("second"); // "-": the file is removed
    QTest::addColumn<int>("secondsLater"); // the second text's modification time against the first's
    QTest::addColumn<QString>("content"); // what the second check gives
    QTest::addColumn<QString>("problem");

    // Only its key tells a file apart: a text of the same size written at the same time is taken as checked.
    QTest::newRow("same size and time: kept") << QByteArray("var a = 2;") << 0 << "var a = 1;" << "";
    QTest::newRow("same size, later") << QByteArray("var a = 2;") << 60 << "var a = 2;" << "";
    QTest::newRow("same size, earlier") << QByteArray("var a = 2;") << -60 << "var a = 2;" << "";
    QTest::newRow("other size, same time") << QByteArray("var a = 22;") << 0 << "var a = 22;" << "";
    QTest::newRow("now failing") << QByteArray("var a = b;") << 60 << "var a = b;"
                                 << "Evaluation Error in included file:\"%1\"<BR>nLine1<BR>"
                                    "ReferenceError: Can't find variable: b<BR>Backtrace: &lt;global&gt;() at 1";
    QTest::newRow("removed") << QByteArray("-") << 0 << QString()
                             << "Error: The included file\"%1\" does not exist";
}

void tst_CheckedIncludes::changeBetweenChecks()
{
    QFETCH(QByteArray, second);
    QFETCH(int, secondsLater);
    QFETCH(QString, content);
    QFETCH(QString, problem);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString fileName = QDir(dir.path()).filePath(QStringLiteral("lib.js"));
    problem.replace(QLatin1String("%1"), fileName);
    write(fileName, "var a = 1;");
    const QDateTime checkedTime = QFileInfo(fileName).lastModified();

    CheckedIncludes checked;
    QString text;
    QCOMPARE(checked.check(fileName, nullptr, &text), QString());
    QCOMPARE(text, QStringLiteral("var a = 1;"));

    if (second == "-") {
        QVERIFY(QFile::remove(fileName));
    } else {
        write(fileName, second);
        QFile file(fileName);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(checkedTime.addSecs(secondsLater), QFileDevice::FileModificationTime));
    }
    text = QStringLiteral("left over");
    QCOMPARE(checked.check(fileName, nullptr, &text), problem);
    QCOMPARE(text, content);
}

// A check that Stop cut short says nothing of the file: the next run checks it in full.
void tst_CheckedIncludes::stoppedCheckIsNotKept()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString fileName = QDir(dir.path()).filePath(QStringLiteral("lib.js"));
    write(fileName, "var a = b;");
    QMMistlark::ScriptEngine engine;
    CheckedIncludes checked;
    engine.setStopped(true);
    QCOMPARE(checked.check(fileName, &engine, nullptr), QString());
    engine.setStopped(false);
    QVERIFY(checked.check(fileName, &engine, nullptr).contains(QLatin1String("Can't find variable: b")));
}

QTEST_MAIN(tst_CheckedIncludes)
#include "tst_CheckedIncludes.moc"
