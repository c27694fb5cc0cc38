#include "MTools/FileOpenJudge.h"
#include "MTools/FileReading.h"

#include "ChildRun.h"
#include "HangBound.h"
#include "HostileResource.h"
#include "TestHome.h"

#include <QApplication>
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

// Every file the process opens by name is judged as it is opened, whoever opens it: installed before the
// application object, as the program installs it, and Qt's own loaders pass through it as its reads do.
class tst_FileOpenJudge : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void hostileFilesAreRefusedOnEveryRoute_data();
    void hostileFilesAreRefusedOnEveryRoute();
    void percentNamesAreJudged_data();
    void percentNamesAreJudged();
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

void tst_FileOpenJudge::hostileFilesAreRefusedOnEveryRoute_data()
{
    // %1 is the file. Each route opened a pipe with a blocking open and waited for a writer for good, and read
    // /proc/self/pagemap, which reports no size, for gigabytes.
    QTest::addColumn<QString>("route");
    QTest::addColumn<QString>("resource");
    const QList<QPair<QString, QString>> routes = {
        {QStringLiteral("QImage::load"), QStringLiteral("image")},
        {QStringLiteral("QImageReader"), QStringLiteral("reader")},
        {QStringLiteral("QPixmap from a path"), QStringLiteral("pixmap")},
        {QStringLiteral("QIcon from a path"), QStringLiteral("icon")},
        {QStringLiteral("QSettings"), QStringLiteral("settings")},
        // Qt calls the text plain by its first line, yet a document's html parses it whole.
        {QStringLiteral("html after a plain first line"), QStringLiteral("html:x\n<img src=\"%1\">")},
        {QStringLiteral("label in rich text"), QStringLiteral("label:1:x\n<img src=\"%1\">")},
        {QStringLiteral("label in Markdown"), QStringLiteral("label:3:![x](%1)")},
        {QStringLiteral("Markdown with a background"),
         QStringLiteral("markdown:x\n\n<p style=\"background-image:url(%1)\">y</p>\n")},
        {QStringLiteral("a document's default style sheet"),
         QStringLiteral("default:b { background-image: url(%1) }")},
        {QStringLiteral("a widget's style sheet"), QStringLiteral("sheet:QWidget { background-image: url(%1) }")},
    };
    for (const auto &route : routes) {
        for (const auto &resource : hostileResources()) {
            // Pictures over the bounds are the text checks' and the bounded readers' to refuse: Qt's own
            // loaders decode whatever file they open.
            if (resource.second != QLatin1String("pipe") && resource.second != QLatin1String("proc"))
                continue;
            QTest::newRow(qPrintable(route.first + QStringLiteral(", ") + resource.first)) << route.second
                                                                                       << resource.second;
        }
    }
}

// Each route ends at once, without the picture and within the memory of a route; a hang fails the row when the
// child is killed.
void tst_FileOpenJudge::hostileFilesAreRefusedOnEveryRoute()
{
    QFETCH(QString, route);
    RUN_ROW_IN_CHILD(HangBoundMs);
    const HostileResource hostile = makeHostileResource(m_dir.path());
    const QString path = hostile.path;
    const QString text = route.section(QLatin1Char(':'), route.startsWith(QLatin1String("label")) ? 2 : 1).arg(path);
    const RouteCost cost;
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
        QVERIFY(settings.allKeys().isEmpty());
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
            document.setHtml(text);
        }
        document.setTextWidth(200);
        QImage canvas(200, 200, QImage::Format_ARGB32);
        QPainter painter(&canvas);
        document.drawContents(&painter);
    }
    QVERIFY2(cost.excess().isEmpty(), qPrintable(cost.excess()));
}

void tst_FileOpenJudge::percentNamesAreJudged_data()
{
    // %1 is the folder. A text check decodes "%41", but Qt's fallback picture loader
    // opens the raw name with a format's suffix: the pipe "nofile%41.png".
    QTest::addColumn<QString>("text");
    QTest::newRow("quoted") << "<img src=\"%1/nofile%41\">";
    QTest::newRow("upper case, unquoted") << "<IMG SRC=%1/nofile%41>";
}

// Shown without the picture, at once.
void tst_FileOpenJudge::percentNamesAreJudged()
{
    QFETCH(QString, text);
    RUN_ROW_IN_CHILD(HangBoundMs);
    pipe(QStringLiteral("nofile%41.png"));
    QLabel label;
    label.setText(text.arg(m_dir.path()));
    label.show();
    QVERIFY(!label.grab().isNull());
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

int main(int argc, char **argv)
{
    QTemporaryDir home;
    pointHomeAt(home.path());
    MTools::judgeFilesOpenedByName();
    QApplication app(argc, argv);
    tst_FileOpenJudge test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_FileOpenJudge.moc"
