#include "QMWidgets/css/CssSyntaxHighlighter.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QtTest>

using QMWidgets::CssSyntaxHighlighter;

namespace {

// One letter per character: w white (word list), c cyan (digit, string), d dark grey (comment), g green ("#").
QChar letterFor(const QColor &colour)
{
    if (colour == QColor(Qt::white))
        return 'w';
    if (colour == QColor(Qt::cyan))
        return 'c';
    if (colour == QColor(Qt::darkGray))
        return 'd';
    if (colour == QColor(Qt::green))
        return 'g';
    return '?';
}

QStringList masks(const QTextDocument &document)
{
    QStringList result;
    for (QTextBlock block = document.firstBlock(); block.isValid(); block = block.next()) {
        QString mask(block.text().size(), '.');
        const QVector<QTextLayout::FormatRange> ranges = block.layout()->formats();
        for (const QTextLayout::FormatRange &range : ranges) {
            for (int i = range.start; i < range.start + range.length && i < mask.size(); ++i)
                mask[i] = letterFor(range.format.foreground().color());
        }
        result.append(mask);
    }
    return result;
}

} // namespace

class tst_CssSyntaxHighlighter : public QObject
{
    Q_OBJECT

private slots:
    void colours_data();
    void colours();
    void keywordAt_data();
    void keywordAt();
};

void tst_CssSyntaxHighlighter::colours_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("lastState");
    QTest::newRow("statement with a line comment") << "a = 1; // x" << QStringList{"..w.cw.dddd"} << -1;
    QTest::newRow("hash line") << "#include x" << QStringList{"gggggggggg"} << -1;
    QTest::newRow("comment over two lines") << "/* a\nb */ c" << QStringList{"dddd", "dddd.."} << -1;
    QTest::newRow("open comment") << "x /* a" << QStringList{"..dddd"} << 0;
    QTest::newRow("slash star slash is a whole comment") << "/*/ a" << QStringList{"ddd.."} << -1;
    QTest::newRow("escaped quote stays in the string") << "\"ab\\\"c\" d" << QStringList{"ccccccc.."} << -1;
    QTest::newRow("string over two lines") << "x = 'ab\ncd' + 1" << QStringList{"..w.ccc", "ccc.w.c"} << -1;
    QTest::newRow("quote in column 0 closes a carried string") << "'a\n'b" << QStringList{"cc", "c."} << -1;
    QTest::newRow("empty line passes the state on") << "/* a\n\nb */" << QStringList{"dddd", "", "dddd"} << -1;
    QTest::newRow("longest entry first in the list") << "foreach printf" << QStringList{"wwwwwww...www."} << -1;
    QTest::newRow("digits one by one") << "x1 12" << QStringList{".c.cc"} << -1;
    QTest::newRow("arrow and shift as one entry") << "a->b<<c" << QStringList{".ww.ww."} << -1;
}

void tst_CssSyntaxHighlighter::colours()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QFETCH(int, lastState);
    QTextDocument document;
    document.documentLayout();
    new CssSyntaxHighlighter(&document);
    document.setPlainText(text);
    QCOMPARE(masks(document), expected);
    QCOMPARE(document.lastBlock().userState(), lastState);
}

void tst_CssSyntaxHighlighter::keywordAt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("keyword");
    QTest::newRow("word inside a word") << "print" << 2 << "int";
    QTest::newRow("foreach before for") << "foreach" << 0 << "foreach";
    QTest::newRow("case matters") << "Int" << 0 << "";
    QTest::newRow("past the end") << "a" << 5 << "";
}

void tst_CssSyntaxHighlighter::keywordAt()
{
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(QString, keyword);
    QTextDocument document;
    CssSyntaxHighlighter highlighter(&document);
    QCOMPARE(highlighter.keywordAt(position, text), keyword);
}

QTEST_MAIN(tst_CssSyntaxHighlighter)
#include "tst_CssSyntaxHighlighter.moc"
