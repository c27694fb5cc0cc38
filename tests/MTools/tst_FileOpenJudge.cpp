#include "MTools/FileReading.h"

#include "ChildRun.h"
#include "HangBound.h"
#include "TestApp.h"

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

#include <sys/stat.h>

// Every file the process opens by name is judged as it is opened, whoever opens it: the application object
// installs the judgement, and Qt's own loaders pass through it as the program's reads do.
class tst_FileOpenJudge : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void namedPipeIsRefusedOnEveryRoute_data();
    void namedPipeIsRefusedOnEveryRoute();
    void fileOpenedByNameIsJudged_data();
    void fileOpenedByNameIsJudged();
    void sizelessFileIsCut();
    void regularFilesWorkAsBefore();

private:
    QString pipe(const QString &name) const;
    QTemporaryDir m_dir;
};

void tst_FileOpenJudge::initTestCase()
{
    QVERIFY2(m_dir.isValid(), qPrintable(m_dir.errorString()));
}

QString tst_FileOpenJudge::pipe(const QString &name) const
{
    const QString path = m_dir.filePath(name);
    QFile::remove(path);
    if (mkfifo(QFile::encodeName(path).constData(), 0600) != 0)
        qWarning("mkfifo %s failed", qPrintable(path));
    return path;
}

void tst_FileOpenJudge::namedPipeIsRefusedOnEveryRoute_data()
{
    // %1 is the folder. Each route opened the pipe with a blocking open and waited for a writer for good.
    QTest::addColumn<QString>("pipeName");
    QTest::addColumn<QString>("route");
    QTest::newRow("QImage::load") << "fifo" << "image";
    QTest::newRow("QImageReader") << "fifo" << "reader";
    QTest::newRow("QPixmap from a path") << "fifo" << "pixmap";
    QTest::newRow("QIcon from a path") << "fifo.png" << "icon";
    QTest::newRow("QSettings on a pipe") << "fifo.ini" << "settings";
    QTest::newRow("html after a plain first line") << "fifo" << "x\n<img src=\"%1/fifo\">";
    QTest::newRow("label in rich text") << "fifo" << "label:1:x\n<img src=\"%1/fifo\">";
    QTest::newRow("label in Markdown") << "fifo" << "label:3:![x](%1/fifo)";
    QTest::newRow("Markdown with a background") << "fifo"
                                                << "markdown:x\n\n<p style=\"background-image:url(%1/fifo)\">y</p>\n";
    QTest::newRow("a document's default style sheet") << "fifo"
                                                      << "default:b { background-image: url(%1/fifo) }";
    QTest::newRow("a widget's style sheet") << "fifo" << "sheet:QWidget { background-image: url(%1/fifo) }";
}

// Each route ends at once, without the picture; a hang fails the row when the child is killed.
void tst_FileOpenJudge::namedPipeIsRefusedOnEveryRoute()
{
    QFETCH(QString, pipeName);
    QFETCH(QString, route);
    RUN_ROW_IN_CHILD(HangBoundMs);
    const QString path = pipe(pipeName);
    const QString folder = m_dir.path();
    const QString text = route.section(QLatin1Char(':'), route.startsWith(QLatin1String("label")) ? 2 : 1)
                             .arg(folder);
    if (route == QLatin1String("image")) {
        QImage image;
        QVERIFY(!image.load(path));
    } else if (route == QLatin1String("reader")) {
        QImageReader reader(path);
        QVERIFY(reader.read().isNull());
    } else if (route == QLatin1String("pixmap")) {
        QVERIFY(QPixmap(path).isNull());
    } else if (route == QLatin1String("icon")) {
        QVERIFY(QIcon(path).pixmap(16, 16).isNull());
    } else if (route == QLatin1String("settings")) {
        QSettings settings(path, QSettings::IniFormat);
        QVERIFY(!settings.value(QStringLiteral("key")).isValid());
    } else if (route.startsWith(QLatin1String("label"))) {
        QLabel label;
        label.setTextFormat(Qt::TextFormat(route.section(QLatin1Char(':'), 1, 1).toInt()));
        label.setText(text);
        label.show();
        QVERIFY(!label.grab().isNull());
    } else if (route.startsWith(QLatin1String("sheet"))) {
        QLabel label(QStringLiteral("styled"));
        label.setStyleSheet(text);
        label.show();
        QVERIFY(!label.grab().isNull());
    } else {
        QTextDocument document;
        if (route.startsWith(QLatin1String("markdown"))) {
            document.setMarkdown(text);
        } else if (route.startsWith(QLatin1String("default"))) {
            document.setDefaultStyleSheet(text);
            document.setHtml(QStringLiteral("<b>b</b>"));
        } else {
            document.setHtml(route.arg(folder));
        }
        document.setTextWidth(200);
        QImage canvas(200, 200, QImage::Format_ARGB32);
        QPainter painter(&canvas);
        document.drawContents(&painter);
    }
}

void tst_FileOpenJudge::fileOpenedByNameIsJudged_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("reason");
    const int read = QIODevice::ReadOnly;
    const int write = QIODevice::WriteOnly;
    QTest::newRow("pipe read") << "pipe" << read << "It is a named pipe, not a regular file";
    QTest::newRow("pipe written") << "pipe" << write << "It is a named pipe, not a regular file";
    QTest::newRow("device") << "/dev/zero" << read << "It is a device, not a regular file";
    QTest::newRow("folder") << "folder" << read << "It is a folder, not a file";
}

// Refused at once with the reason, without opening what is judged.
void tst_FileOpenJudge::fileOpenedByNameIsJudged()
{
    QFETCH(QString, kind);
    QFETCH(int, mode);
    QFETCH(QString, reason);
    RUN_ROW_IN_CHILD(HangBoundMs);
    QString path = kind;
    if (kind == QLatin1String("pipe"))
        path = pipe(QStringLiteral("judged"));
    else if (kind == QLatin1String("folder"))
        path = m_dir.path();
    QFile file(path);
    QVERIFY(!file.open(QIODevice::OpenMode(mode)));
    QCOMPARE(file.errorString(), reason);
}

// A file that reports no size ends in a read error past the bound, not in gigabytes nor in a short read that
// looks whole.
void tst_FileOpenJudge::sizelessFileIsCut()
{
    RUN_ROW_IN_CHILD(HangBoundMs);
    QFile file(QStringLiteral("/proc/self/pagemap"));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.size() <= MTools::SizelessFileBound);
    QCOMPARE(file.error(), QFile::ReadError);
    QVERIFY2(file.errorString().startsWith(QLatin1String("The file reports no size")), qPrintable(file.errorString()));

    QFile small(QStringLiteral("/proc/self/status"));
    QVERIFY(small.open(QIODevice::ReadOnly));
    QVERIFY(small.readAll().contains("VmHWM"));
    QCOMPARE(small.error(), QFile::NoError);
}

// What Qt builds on files by name keeps working: writing and renaming through the saving writer, links,
// pictures written and read back, settings and the program's resources.
void tst_FileOpenJudge::regularFilesWorkAsBefore()
{
    const QString picture = m_dir.filePath(QStringLiteral("picture.png"));
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(picture));
    QVERIFY(QFile::link(picture, m_dir.filePath(QStringLiteral("link.png"))));
    QCOMPARE(QImage(m_dir.filePath(QStringLiteral("link.png"))).size(), QSize(4, 3));
    QCOMPARE(QIcon(picture).pixmap(4, 3).size(), QSize(4, 3));
    {
        QSettings settings(m_dir.filePath(QStringLiteral("store.ini")), QSettings::IniFormat);
        settings.setValue(QStringLiteral("key"), 7);
    }
    QCOMPARE(QSettings(m_dir.filePath(QStringLiteral("store.ini")), QSettings::IniFormat).value(QStringLiteral("key")),
             QVariant(QStringLiteral("7")));
    QFile log(m_dir.filePath(QStringLiteral("new.log")));
    QVERIFY2(log.open(QIODevice::WriteOnly), qPrintable(log.errorString()));
    QCOMPARE(log.write("line\n"), qint64(5));
    log.close();
    QVERIFY(QFile::exists(QStringLiteral(":/qt-project.org/qmime/freedesktop.org.xml"))
            || QDir(QStringLiteral(":/")).exists());
}

TARSEL_APP_TEST_MAIN(tst_FileOpenJudge)
#include "tst_FileOpenJudge.moc"
