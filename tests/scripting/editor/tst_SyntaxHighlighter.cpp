#include "scripting/editor/SyntaxHighlighter.h"

#include "WidgetPaint.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QtTest>

using QMMistlark::SyntaxHighlighter;

namespace {

// The colour of each character as one letter, the form of the expected.txt files:
// k keyword or operator (blue), n digit (black), s string (dark red), c comment (dark green), . none.
// A format that changes anything besides the foreground shows as "!", one of another colour as "?".
QChar letterFor(const QTextCharFormat &format)
{
    if (format.properties().size() != 1 || !format.hasProperty(QTextFormat::ForegroundBrush))
        return QLatin1Char('!');
    const QColor colour = format.foreground().color();
    if (colour == QColor(Qt::blue))
        return QLatin1Char('k');
    if (colour == QColor(Qt::black))
        return QLatin1Char('n');
    if (colour == QColor(204, 0, 0))
        return QLatin1Char('s');
    if (colour == QColor(Qt::darkGreen))
        return QLatin1Char('c');
    return QLatin1Char('?');
}

QString colourMask(const QTextBlock &block)
{
    QString mask(block.text().length(), QLatin1Char('.'));
    const QVector<QTextLayout::FormatRange> ranges = block.layout()->formats();
    for (const QTextLayout::FormatRange &range : ranges) {
        for (int i = range.start; i < range.start + range.length && i < mask.length(); ++i)
            mask[i] = letterFor(range.format);
    }
    return mask;
}

QStringList colourMasks(const QTextDocument &document)
{
    QStringList masks;
    for (QTextBlock block = document.firstBlock(); block.isValid(); block = block.next())
        masks.append(colourMask(block));
    return masks;
}

// Lines of the document and their masks side by side, marking the lines that differ from the expectation.
QString mismatchReport(const QTextDocument &document, const QStringList &expected, const QStringList &actual)
{
    QString report;
    const QStringList lines = document.toPlainText().split(QLatin1Char('\n'));
    for (int i = 0; i < qMax(expected.size(), actual.size()); ++i) {
        if (expected.value(i) == actual.value(i))
            continue;
        report += QStringLiteral("\nline %1: %2\n  expected %3\n  actual   %4")
                      .arg(i + 1)
                      .arg(lines.value(i), expected.value(i), actual.value(i));
    }
    return report;
}

QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    QString text = QString::fromUtf8(file.readAll());
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

} // namespace

class tst_SyntaxHighlighter : public QObject
{
    Q_OBJECT

private slots:
    void colours_data();
    void colours();
    void closingACommentRecoloursTheLinesAfter();
    void everyColourReadsOnWhite();
};

void tst_SyntaxHighlighter::colours_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    const QString root = QStringLiteral(TARSEL_TEST_DATA_DIR "/highlighter");
    QVERIFY2(QFileInfo(root).isDir(), "tests/data/highlighter not found");
    const QStringList cases = QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    QVERIFY(!cases.isEmpty());
    for (const QString &name : cases) {
        const QString folder = root + QLatin1Char('/') + name;
        QTest::newRow(qPrintable(name)) << folder + QLatin1String("/input.js")
                                        << folder + QLatin1String("/expected.txt");
    }
}

void tst_SyntaxHighlighter::colours()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);

    const QString script = readText(input);
    const QStringList expectedMasks = readText(expected).split(QLatin1Char('\n'));
    QVERIFY2(!script.isEmpty(), qPrintable(input));

    QTextDocument document;
    // A view gives its document a layout; a document without one reports no changes to highlight.
    document.documentLayout();
    new SyntaxHighlighter(&document);
    document.setPlainText(script);

    const QStringList actualMasks = colourMasks(document);
    QVERIFY2(actualMasks == expectedMasks, qPrintable(mismatchReport(document, expectedMasks, actualMasks)));
}

void tst_SyntaxHighlighter::closingACommentRecoloursTheLinesAfter()
{
    QTextDocument document;
    document.documentLayout();
    new SyntaxHighlighter(&document);
    document.setPlainText(QStringLiteral("/* open\nif (x)\nvar y;"));
    const QStringList open = {QStringLiteral("ccccccc"), QStringLiteral("cccccc"), QStringLiteral("cccccc")};
    QCOMPARE(colourMasks(document), open);

    QTextCursor cursor(document.firstBlock());
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertText(QStringLiteral("*/"));
    const QStringList closed = {QStringLiteral("ccccccccc"), QStringLiteral("kk.k.k"), QStringLiteral("kkk..k")};
    QCOMPARE(colourMasks(document), closed);

    cursor.deletePreviousChar();
    const QStringList reopened = {QStringLiteral("cccccccc"), QStringLiteral("cccccc"), QStringLiteral("cccccc")};
    QCOMPARE(colourMasks(document), reopened);
}

// The editor's ground is white: each colour must read there as text, at 4.5:1 (pure red read at 4.0:1).
void tst_SyntaxHighlighter::everyColourReadsOnWhite()
{
    QTextDocument document;
    document.documentLayout();
    new SyntaxHighlighter(&document);
    document.setPlainText(QStringLiteral("var s = \"text\" + 1; // note"));
    const QVector<QTextLayout::FormatRange> ranges = document.firstBlock().layout()->formats();
    // All four kinds are on the line.
    QCOMPARE(colourMask(document.firstBlock()), QStringLiteral("kkk...k.ssssss.k.nk.ccccccc"));
    for (const QTextLayout::FormatRange &range : ranges) {
        const QColor colour = range.format.foreground().color();
        QVERIFY2(contrastRatio(colour, Qt::white) >= 4.5, qPrintable(colour.name()));
    }
}

QTEST_MAIN(tst_SyntaxHighlighter)
#include "tst_SyntaxHighlighter.moc"
