#include "HangBound.h"
#include "scripting/editor/OutputArea.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

#include <functional>

using QMMistlark::OutputArea;

namespace {

// What the pane shows: each paragraph's pieces with their text and colour ("" is the pane's own black).
QStringList shownPieces(const QTextEdit &pane)
{
    QStringList paragraphs;
    for (QTextBlock block = pane.document()->begin(); block.isValid(); block = block.next()) {
        QStringList pieces;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            const QString color =
                format.foreground().style() == Qt::NoBrush ? QString() : format.foreground().color().name();
            pieces << it.fragment().text() + QLatin1Char('{') + (color == QLatin1String("#000000") ? QString() : color)
                    + QLatin1Char('}');
        }
        paragraphs << pieces.join(QString());
    }
    return paragraphs;
}

// The report as it was added before: the pane's whole HTML set anew with the report after it.
void reportAsBefore(QTextEdit *pane, const QString &html)
{
    pane->setHtml(pane->toHtml() + QStringLiteral("<FONT COLOR=") + QLatin1String(OutputArea::ReportColor)
                  + QStringLiteral(">") + html + QStringLiteral("</FONT><FONT COLOR=#000000></FONT>"));
}

using Steps = std::function<void(QTextEdit *pane, const std::function<void(const QString &)> &report)>;

} // namespace

Q_DECLARE_METATYPE(Steps)

class tst_OutputArea : public QObject
{
    Q_OBJECT

private slots:
    void reportReadsAsWhenThePaneWasSetAnew_data();
    void reportReadsAsWhenThePaneWasSetAnew();
    void keepsTheNewestParagraphs();
    void keepsTheNewestCharacters();
};

void tst_OutputArea::reportReadsAsWhenThePaneWasSetAnew_data()
{
    QTest::addColumn<Steps>("steps");
    QTest::newRow("report into an empty pane") << Steps([](QTextEdit *, auto report) { report("stopped"); });
    QTest::newRow("printing after a report is black again") << Steps([](QTextEdit *pane, auto report) {
        report("stopped");
        pane->append(QStringLiteral("printed"));
    });
    QTest::newRow("reports between printed lines") << Steps([](QTextEdit *pane, auto report) {
        pane->append(QStringLiteral("a"));
        report("first");
        pane->append(QStringLiteral("b"));
        report("second");
        pane->append(QStringLiteral("Error:c"));
    });
    // The first line break of a report starts a paragraph of its own, the others break lines inside it.
    QTest::newRow("line breaks and escaped text") << Steps([](QTextEdit *pane, auto report) {
        pane->append(QStringLiteral("a"));
        report("Evaluation Error: Line:3<BR>ReferenceError: x<BR>Backtrace: &lt;global&gt;()@:3");
        pane->append(QStringLiteral("z"));
    });
    QTest::newRow("markup printed before and after") << Steps([](QTextEdit *pane, auto report) {
        pane->append(QStringLiteral("<b>bold</b>"));
        report("red");
        pane->append(QStringLiteral("<i>italic</i>"));
    });
    QTest::newRow("two reports in a row") << Steps([](QTextEdit *, auto report) {
        report("one");
        report("two");
    });
}

// The report is added at the end instead of setting the whole pane anew, and reads as it did.
void tst_OutputArea::reportReadsAsWhenThePaneWasSetAnew()
{
    QFETCH(Steps, steps);
    QTextEdit before;
    steps(&before, [&before](const QString &html) { reportAsBefore(&before, html); });
    OutputArea pane;
    steps(&pane, [&pane](const QString &html) { pane.appendRedReport(html); });
    QCOMPARE(shownPieces(pane), shownPieces(before));
    QCOMPARE(pane.toPlainText(), before.toPlainText());
}

void tst_OutputArea::keepsTheNewestParagraphs()
{
    OutputArea pane;
    const int printed = OutputArea::KeptParagraphs + 5;
    QTextCursor end(pane.document());
    for (int i = 1; i <= printed; ++i) {
        if (i > 1)
            end.insertBlock();
        end.insertText(QString::number(i));
    }
    pane.appendRedReport(QStringLiteral("last"));
    QCOMPARE(pane.document()->blockCount(), OutputArea::KeptParagraphs);
    QCOMPARE(pane.document()->lastBlock().text(), QStringLiteral("last"));
    QCOMPARE(pane.document()->firstBlock().text(), QString::number(printed - OutputArea::KeptParagraphs + 2));
}

// Long paragraphs reach the character bound long before the paragraph bound.
void tst_OutputArea::keepsTheNewestCharacters()
{
    OutputArea pane;
    const QString line = QString(OutputArea::KeptCharacters / 8, QLatin1Char('x'));
    for (int i = 0; i < 12; ++i)
        pane.append(QString::number(i) + line);
    QTRY_VERIFY_WITH_TIMEOUT(pane.document()->characterCount() <= OutputArea::KeptCharacters, HangBoundMs);
    QVERIFY(pane.document()->lastBlock().text().startsWith(QLatin1String("11x")));
    QVERIFY(pane.document()->blockCount() >= 6);
    pane.append(QStringLiteral("goes on"));
    QCOMPARE(pane.document()->lastBlock().text(), QStringLiteral("goes on"));
}

QTEST_MAIN(tst_OutputArea)
#include "tst_OutputArea.moc"
