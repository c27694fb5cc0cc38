#include "MGraphX/OutsideResources.h"

#include "ChildRun.h"
#include "CompressedBomb.h"
#include "HostileResource.h"

#include <QBuffer>
#include <QLabel>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

#include <memory>

#include <sys/stat.h>

using MGraphX::boundLabelResources;
using MGraphX::loadTextResource;
using MGraphX::richTextRefusal;
using MGraphX::styleSheetRefusal;

namespace {

const QString PipeReason = QStringLiteral("It is a named pipe, not a regular file");

void makePipe(const QString &path)
{
    QVERIFY2(mkfifo(QFile::encodeName(path).constData(), 0600) == 0, qPrintable(path));
}

QByteArray pngOf(const QSize &size, const QColor &colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(), qPrintable(file.errorString()));
}

// The folder of the forms: named pipes "pipe" and "cut.png", good pictures "good.png" (whose "@2x" file is a
// named pipe) and "other.png", and "sheet.css", which draws the pipe behind the body.
void makeFormsFolder(const QString &folder)
{
    makePipe(folder + "/pipe");
    makePipe(folder + "/cut.png");
    makePipe(folder + "/good@2x.png");
    writeFile(folder + "/good.png", pngOf(QSize(4, 4), Qt::red));
    writeFile(folder + "/other.png", pngOf(QSize(4, 4), Qt::red));
    writeFile(folder + "/sheet.css", QString("body { background-image: url(%1/pipe) }").arg(folder).toUtf8());
}

// Draws the label as its screen shows it.
QImage rendered(QLabel &label)
{
    label.resize(label.sizeHint());
    return label.grab().toImage();
}

} // namespace

class tst_OutsideResources : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void hostileResourcesAreRefused_data();
    void hostileResourcesAreRefused();
    void richTextFormsQtReads_data();
    void richTextFormsQtReads();
    void styleSheetFormsQtReads_data();
    void styleSheetFormsQtReads();
    void manyNamesAreRefusedQuickly_data();
    void manyNamesAreRefusedQuickly();
    void loadTextResourceNeverGivesNull_data();
    void loadTextResourceNeverGivesNull();
    void labelShowsBoundedPictures();
    void labelOpensNoRatioFileThatAppearsLater();
    void markdownCheckOpensNothing();
    void whatATextKeepsIsBounded_data();
    void whatATextKeepsIsBounded();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
};

void tst_OutsideResources::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_folder = m_dir->path();
}

void tst_OutsideResources::hostileResourcesAreRefused_data()
{
    addHostileResourceRows();
}

// Each check refuses the resource, the loader gives a placeholder for it, and a label shows the text without
// it: at once, and without taking the memory the resource would.
void tst_OutsideResources::hostileResourcesAreRefused()
{
    RUN_ROW_IN_CHILD(HostileRowTimeoutMs);
    const HostileResource hostile = makeHostileResource(m_folder);

    // Each route on its own: each reads an endless file up to the bound once.
    std::unique_ptr<RouteCost> cost(new RouteCost);
    const QString textRefusal = richTextRefusal(richTextShowing(hostile.path));
    QVERIFY2(cost->excess().isEmpty(), qPrintable(cost->excess()));
    QVERIFY2(textRefusal.contains(hostile.reason) && textRefusal.contains(hostile.path), qPrintable(textRefusal));

    cost.reset(new RouteCost);
    const QString sheetRefusal = styleSheetRefusal(styleSheetDrawing(hostile.path));
    QVERIFY2(cost->excess().isEmpty(), qPrintable(cost->excess()));
    QVERIFY2(sheetRefusal.contains(hostile.reason) && sheetRefusal.contains(hostile.path), qPrintable(sheetRefusal));

    cost.reset(new RouteCost);
    const QVariant loaded = loadTextResource(QTextDocument::ImageResource, QUrl::fromLocalFile(hostile.path));
    QVERIFY2(cost->excess().isEmpty(), qPrintable(cost->excess()));
    QCOMPARE(loaded.userType(), int(QMetaType::QPixmap));
    QCOMPARE(loaded.value<QPixmap>().size(), QSize(16, 16)); // Qt's own placeholder

    cost.reset(new RouteCost);
    QLabel label;
    label.setText(richTextShowing(hostile.path));
    boundLabelResources(&label);
    rendered(label);
    QVERIFY2(cost->excess().isEmpty(), qPrintable(cost->excess()));
}

void tst_OutsideResources::richTextFormsQtReads_data()
{
    // %1 is the folder of makeFormsFolder.
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("refused");
    QTest::newRow("plain text passes at once") << "a <b is no tag: %1/pipe" << false;
    // Qt calls the text plain by its first line, yet html and insertHtml parse it whole.
    QTest::newRow("plain first line") << "x\n<img src=\"%1/pipe\">" << true;
    QTest::newRow("quoted picture") << "<p>x</p><img src=\"%1/pipe\">" << true;
    QTest::newRow("unquoted, upper case") << "<P>x</P><IMG SRC=%1/pipe>" << true;
    QTest::newRow("path in entities") << "<p>x</p><img src=\"%1&#47;pi&#x70;e\">" << true;
    QTest::newRow("file URL") << "<p>x</p><img src=\"file://%1/pipe\">" << true;
    QTest::newRow("width and height given") << "<p>x</p><img width=5 height=5 src=\"%1/pipe\">" << true;
    QTest::newRow("in a table cell") << "<table><tr><td><img src=\"%1/pipe\"></td></tr></table>" << true;
    QTest::newRow("table background") << "<table background=\"%1/pipe\"><tr><td>x</td></tr></table>" << true;
    QTest::newRow("body background") << "<body background=\"%1/pipe\">x</body>" << true;
    QTest::newRow("style attribute") << "<p style=\"background-image: url(%1/pipe)\">x</p>" << true;
    QTest::newRow("style element") << "<html><head><style>p { background-image: url('%1/pipe') }</style></head>"
                                      "<body><p>x</p></body></html>"
                                   << true;
    QTest::newRow("linked sheet") << "<html><head><link rel=stylesheet type=\"text/css\" href=\"%1/sheet.css\">"
                                     "</head><body><p>x</p></body></html>"
                                  << true;
    QTest::newRow("sheet that is a pipe") << "<html><head><link rel=stylesheet type=\"text/css\" href=\"%1/pipe\">"
                                             "</head><body><p>x</p></body></html>"
                                          << true;
    QTest::newRow("imported sheet") << "<html><head><style>@import url(%1/sheet.css);</style></head>"
                                       "<body><p>x</p></body></html>"
                                    << true;
    QTest::newRow("the @2x file is a pipe") << "<p>x</p><img src=\"%1/good.png\">" << true;
    QTest::newRow("the name with a suffix is a pipe") << "<p>x</p><img src=\"%1/cut\">" << true;
    QTest::newRow("good picture") << "<p>x</p><img src=\"%1/other.png\">" << false;
    QTest::newRow("missing picture") << "<p>x</p><img src=\"%1/missing.png\">" << false;
    QTest::newRow("program resource") << "<p>x</p><img src=\":/qt-project.org/styles/commonstyle/images/file-16.png\">"
                                      << false;
    QTest::newRow("other scheme") << "<p>x</p><img src=\"http://127.0.0.1/pipe\">" << false;
}

void tst_OutsideResources::richTextFormsQtReads()
{
    RUN_ROW_IN_CHILD(HostileRowTimeoutMs);
    QFETCH(QString, text);
    QFETCH(bool, refused);
    makeFormsFolder(m_folder);

    const QString refusal = richTextRefusal(text.arg(m_folder));
    if (!refused) {
        QCOMPARE(refusal, QString());
        return;
    }
    QVERIFY2(refusal.contains(PipeReason), qPrintable(refusal));
    // Shown all the same, without the refused picture and without opening anything.
    QLabel label;
    label.setText(text.arg(m_folder));
    boundLabelResources(&label);
    rendered(label);
}

void tst_OutsideResources::styleSheetFormsQtReads_data()
{
    // %1 is the folder of makeFormsFolder.
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("quoted") << "QWidget { background-image: url(\"%1/pipe\"); }" << PipeReason;
    QTest::newRow("unquoted") << "QWidget { background-image: url(%1/pipe) }" << PipeReason;
    QTest::newRow("escaped function name") << "QWidget { background-image: u\\72l(%1/pipe) }" << PipeReason;
    QTest::newRow("declarations alone") << "background-image: url(%1/pipe);" << PipeReason;
    QTest::newRow("image property") << "QPushButton { image: url(%1/pipe) }" << PipeReason;
    QTest::newRow("border image") << "QFrame { border-image: url(%1/pipe) 1 1 1 1 }" << PipeReason;
    QTest::newRow("icon property") << "QPushButton { qproperty-icon: url(%1/pipe) }" << PipeReason;
    QTest::newRow("by id") << "#name { background: url(%1/pipe) }" << PipeReason;
    QTest::newRow("in a media rule") << "@media screen { QLabel { background-image: url(%1/pipe) } }"
                                     << PipeReason;
    QTest::newRow("the @2x file is a pipe") << "QLabel { image: url(%1/good.png) }" << PipeReason;
    QTest::newRow("the name with a suffix is a pipe") << "QLabel { image: url(%1/cut) }" << PipeReason;
    QTest::newRow("first failing url named") << "QLabel { image: url(%1/other.png) } QFrame { image: url(%1/pipe) }"
                                             << "url(%1/pipe)";
    QTest::newRow("file URL of the whole sheet") << "file:///%1/sheet.qss" << "file:///";
    QTest::newRow("in a comment") << "/* url(%1/pipe) */ QLabel { color: red }" << QString();
    QTest::newRow("upper case, which Qt ignores") << "QLabel { image: URL(%1/pipe) }" << QString();
    QTest::newRow("good picture") << "QLabel { image: url(%1/other.png) }" << QString();
    QTest::newRow("missing picture") << "QLabel { image: url(%1/missing.png) }" << QString();
    QTest::newRow("program resource") << "QLabel { image: url(:/qt-project.org/styles/commonstyle/images/file-16.png) }"
                                      << QString();
    QTest::newRow("no url") << "QLabel { color: red }" << QString();
}

void tst_OutsideResources::styleSheetFormsQtReads()
{
    QFETCH(QString, sheet);
    QFETCH(QString, refusal);
    makeFormsFolder(m_folder);
    const QString found = styleSheetRefusal(QString(sheet).replace("%1", m_folder));
    if (refusal.isEmpty())
        QCOMPARE(found, QString());
    else
        QVERIFY2(found.contains(QString(refusal).replace("%1", m_folder)), qPrintable(found));
}

void tst_OutsideResources::manyNamesAreRefusedQuickly_data()
{
    // %1 is the number of the name, %2 the file.
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("styleSheet");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("pictures") << "<img alt=\"%1\" src=\"%2\">" << false << "shows more than 1000 pictures";
    QTest::newRow("backgrounds") << "<span style=\"background-image: url(%2)\">%1</span>" << false
                                 << "names more than 100 files";
    QTest::newRow("style sheet") << "#n%1 { image: url(%2) }\n" << true << "names more than 100 files";
}

// Ten thousand files, each of them a picture to read: the check stops at its count.
void tst_OutsideResources::manyNamesAreRefusedQuickly()
{
    QFETCH(QString, item);
    QFETCH(bool, styleSheet);
    QFETCH(QString, refusal);
    const QByteArray picture = pngOf(QSize(64, 64), Qt::blue);
    QString text = styleSheet ? QString() : QStringLiteral("<p>many</p>");
    for (int i = 0; i < 10000; ++i) {
        const QString path = QStringLiteral("%1/%2.png").arg(m_folder).arg(i);
        if (i <= MGraphX::MaximumNamedFiles)
            writeFile(path, picture);
        text += item.arg(i).arg(path);
    }
    const RouteCost cost;
    const QString found = styleSheet ? styleSheetRefusal(text) : richTextRefusal(text);
    QVERIFY2(found.contains(refusal), qPrintable(found));
    QVERIFY2(cost.excess().isEmpty(), qPrintable(cost.excess()));
}

void tst_OutsideResources::loadTextResourceNeverGivesNull_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("pictureSize"); // invalid for a resource that is no picture
    QTest::addColumn<QByteArray>("content");
    const int image = QTextDocument::ImageResource;
    const int sheet = QTextDocument::StyleSheetResource;
    const QString hugeDataUrl = "data:image/png;base64," + QString::fromLatin1(hugePng(QSize(15000, 15000)).toBase64());
    QTest::newRow("picture file") << image << "%1/good.png" << QSize(3, 2) << QByteArray();
    QTest::newRow("picture of the program") << image << "qrc:/qt-project.org/styles/commonstyle/images/file-16.png"
                                            << QSize(16, 16) << QByteArray();
    QTest::newRow("picture in a data URL") << image << "data:image/png;base64," + QString::fromLatin1(pngOf(QSize(5, 7), Qt::red).toBase64())
                                           << QSize(5, 7) << QByteArray();
    QTest::newRow("huge picture in a data URL") << image << hugeDataUrl << QSize(16, 16) << QByteArray();
    QTest::newRow("missing picture") << image << "%1/missing.png" << QSize(16, 16) << QByteArray();
    QTest::newRow("pipe as a picture") << image << "%1/pipe" << QSize(16, 16) << QByteArray();
    QTest::newRow("other scheme") << image << "http://127.0.0.1/good.png" << QSize(16, 16) << QByteArray();
    QTest::newRow("style sheet") << sheet << "%1/sheet.css" << QSize() << QByteArray("p { color: red }");
    QTest::newRow("pipe as a style sheet") << sheet << "%1/pipe" << QSize() << QByteArray();
    QTest::newRow("missing page") << int(QTextDocument::HtmlResource) << "%1/missing.html" << QSize() << QByteArray();
}

void tst_OutsideResources::loadTextResourceNeverGivesNull()
{
    QFETCH(int, type);
    QFETCH(QString, name);
    QFETCH(QSize, pictureSize);
    QFETCH(QByteArray, content);
    makePipe(m_folder + "/pipe");
    writeFile(m_folder + "/good.png", pngOf(QSize(3, 2), Qt::red));
    writeFile(m_folder + "/sheet.css", "p { color: red }");
    const QVariant value = loadTextResource(type, QUrl(QString(name).replace("%1", m_folder)));
    QVERIFY(!value.isNull());
    if (pictureSize.isValid())
        QCOMPARE(value.value<QPixmap>().size(), pictureSize);
    else
        QCOMPARE(value.toString().toUtf8(), content);
}

// The label shows the picture that was read within the bounds.
void tst_OutsideResources::labelShowsBoundedPictures()
{
    writeFile(m_folder + "/green.png", pngOf(QSize(20, 20), Qt::green));
    QLabel label;
    label.setText(QString("<p>x</p><img src=\"%1/green.png\">").arg(m_folder));
    boundLabelResources(&label);
    const QImage image = rendered(label);
    int green = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            green += image.pixel(x, y) == qRgb(0, 255, 0);
    QVERIFY2(green >= 20 * 20, qPrintable(QString::number(green)));
}

// On a screen of ratio 2, the "@2x" file that appears between the label's text and its drawing goes through
// the label's loader like any other.
void tst_OutsideResources::labelOpensNoRatioFileThatAppearsLater()
{
    QProcessEnvironment scaled;
    scaled.insert("QT_SCALE_FACTOR", "2");
    RUN_ROW_IN_CHILD(HostileRowTimeoutMs, scaled);
    QCOMPARE(qApp->devicePixelRatio(), 2.0);
    writeFile(m_folder + "/green.png", pngOf(QSize(20, 20), Qt::green));
    QLabel label;
    label.setText(QString("<p>x</p><img src=\"%1/green.png\">").arg(m_folder));
    boundLabelResources(&label);
    makePipe(m_folder + "/green@2x.png");
    const RouteCost cost;
    rendered(label);
    QVERIFY2(cost.excess().isEmpty(), qPrintable(cost.excess()));
}

// Markdown holds HTML, whose background Qt's document loads as it parses: the check parses into a document
// that loads nothing, so the pipe it names holds nothing up, and is refused.
void tst_OutsideResources::markdownCheckOpensNothing()
{
    RUN_ROW_IN_CHILD(HostileRowTimeoutMs);
    makePipe(m_folder + "/pipe");
    const QString refusal = MGraphX::markdownRefusal(
        QStringLiteral("x\n\n<p style=\"background-image:url(%1/pipe)\">y</p>\n").arg(m_folder));
    QVERIFY2(refusal.contains(PipeReason), qPrintable(refusal));
    QCOMPARE(MGraphX::markdownRefusal(QStringLiteral("# Title\n\n![x](%1/missing.png)\n").arg(m_folder)),
             QString());
}

void tst_OutsideResources::whatATextKeepsIsBounded_data()
{
    // %1 is a folder with "big.png", 10000 x 10000 pixels in a file of some 400 KB, and "small.png".
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason"); // empty: the text passes
    QTest::newRow("margin of 5,000,000 px") << "<p style=\"margin-top:5000000px\">a</p>"
                                            << "a length of 5000000 pixels";
    QTest::newRow("margin after a plain first line") << "x\n<p style=\"margin-top:5000000px\">a</p>"
                                                     << "a length of 5000000 pixels";
    QTest::newRow("picture drawn 2147483647 px wide")
        << "<img width=2147483647 height=2147483647 src=\"%1/small.png\">"
        << "a length of 2147483647 pixels";
    QTest::newRow("cell padding") << "<table cellpadding=9000000><tr><td>a</td></tr></table>"
                                  << "a length of 9000000 pixels";
    QTest::newRow("font of 100000 px") << "<span style=\"font-size:100000px\">a</span>" << "a font of 100000";
    QTest::newRow("margins of a page pass") << "<p style=\"margin-top:2000px; margin-left:40px\">a</p>" << "";
    // A GIF of 35 bytes whose first frame is 1 x 1 on a logical screen of 16000 x 16000, which Qt's decoder
    // allocates whole.
    QTest::newRow("GIF screen of 16000 x 16000")
        << "<img src=\"data:image/gif;base64,R0lGODlhgD6APoAAAAAAAP///ywAAAAAAQABAAACAkQBADs=\">"
        << "16000 x 16000";
    QTest::newRow("one picture under four names")
        << "<img src=\"%1/big.png\"><img src=\"%1/./big.png\"><img src=\"%1//big.png\">"
           "<img src=\"file://%1/big.png\">"
        << "million pixels in all";
    QTest::newRow("one picture under one name") << "<img src=\"%1/big.png\"><img src=\"%1/big.png\">" << "";
    QTest::newRow("small pictures under many names")
        << "<img src=\"%1/small.png\"><img src=\"%1/./small.png\"><img src=\"file://%1/small.png\">" << "";
}

// Refused with the reason by what decoding and layout would take, not by the size of a file.
void tst_OutsideResources::whatATextKeepsIsBounded()
{
    QFETCH(QString, text);
    QFETCH(QString, reason);
    writeFile(m_folder + "/big.png", hugePng(QSize(10000, 10000)));
    writeFile(m_folder + "/small.png", pngOf(QSize(4, 4), Qt::red));
    const QString refusal = richTextRefusal(text.arg(m_folder));
    if (reason.isEmpty())
        QCOMPARE(refusal, QString());
    else
        QVERIFY2(refusal.contains(reason), qPrintable(refusal));
}

QTEST_MAIN(tst_OutsideResources)
#include "tst_OutsideResources.moc"
