#include "scripting/editor/LineTextWidget.h"

#include <QAbstractTextDocumentLayout>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

using QMMistlark::LineTextWidget;

namespace {

// A gutter beside its text edit, as the Editor places them. Block 2 (index 1) is one long line that wraps.
class Fixture
{
public:
    Fixture()
    {
        auto *layout = new QHBoxLayout(&m_window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        m_gutter = new LineTextWidget;
        m_gutter->setFixedWidth(40);
        m_edit = new QTextEdit;
        QFont font(QStringLiteral("monospace"));
        font.setPixelSize(12);
        m_edit->setFont(font);
        layout->addWidget(m_gutter);
        layout->addWidget(m_edit);
        m_gutter->setTextEdit(m_edit);

        QStringList lines = {QStringLiteral("first"), QStringLiteral("long line ").repeated(14)};
        for (int i = 3; i <= 40; ++i)
            lines.append(QStringLiteral("line %1").arg(i));
        m_edit->setPlainText(lines.join(QLatin1Char('\n')));
        m_window.resize(300, 200);
        m_window.show();
    }

    QRectF blockRect(int blockNumber) const
    {
        const QTextBlock block = m_edit->document()->findBlockByNumber(blockNumber);
        return m_edit->document()->documentLayout()->blockBoundingRect(block);
    }

    QWidget m_window;
    LineTextWidget *m_gutter = nullptr;
    QTextEdit *m_edit = nullptr;
};

QList<int> numbers(const QVector<LineTextWidget::NumberRow> &rows)
{
    QList<int> result;
    for (const LineTextWidget::NumberRow &row : rows)
        result.append(row.number);
    return result;
}

} // namespace

class tst_LineTextWidget : public QObject
{
    Q_OBJECT

private slots:
    void paintsOnlyWithATextEdit();
    void numbersFollowBlocksWhenLinesWrap();
    void cursorLineIsBold();
};

void tst_LineTextWidget::paintsOnlyWithATextEdit()
{
    LineTextWidget gutter;
    gutter.resize(40, 100);
    gutter.setAutoFillBackground(true);
    QPalette palette = gutter.palette();
    palette.setColor(QPalette::Window, Qt::magenta);
    gutter.setPalette(palette);

    QVERIFY(gutter.visibleNumbers().isEmpty());
    const QImage bare = gutter.grab().toImage();
    int paintedPixels = 0;
    for (int y = 0; y < bare.height(); ++y) {
        for (int x = 0; x < bare.width(); ++x)
            paintedPixels += bare.pixelColor(x, y) != QColor(Qt::magenta);
    }
    QCOMPARE(paintedPixels, 0);

    QTextEdit edit;
    edit.setPlainText(QStringLiteral("one\ntwo"));
    gutter.setTextEdit(&edit);
    const QImage painted = gutter.grab().toImage();
    QCOMPARE(painted.pixelColor(0, 50), QColor(Qt::black));
    QCOMPARE(painted.pixelColor(20, 90), QColor(Qt::white));
}

void tst_LineTextWidget::numbersFollowBlocksWhenLinesWrap()
{
    Fixture fixture;
    QVERIFY(QTest::qWaitForWindowExposed(&fixture.m_window));
    const int lineHeight = QFontMetrics(fixture.m_edit->font()).lineSpacing();
    QVERIFY2(fixture.blockRect(1).height() > 3 * lineHeight, "the long line should wrap");

    // Each number sits on the first line of its block, however many lines the block above takes.
    const QVector<LineTextWidget::NumberRow> top = fixture.m_gutter->visibleNumbers();
    QVERIFY(top.size() >= 3);
    QCOMPARE(numbers(top).mid(0, 3), QList<int>({1, 2, 3}));
    const int ascent = QFontMetrics(fixture.m_edit->font()).ascent();
    for (int i = 0; i < 3; ++i) {
        const QRect firstLine = fixture.m_edit->cursorRect(QTextCursor(fixture.m_edit->document()->findBlockByNumber(i)));
        QVERIFY2(qAbs(top.at(i).baseline - (firstLine.top() + ascent)) <= 2,
                 qPrintable(QStringLiteral("number %1 at %2, its line at %3").arg(i + 1).arg(top.at(i).baseline)
                                .arg(firstLine.top())));
    }

    // Scrolled into the wrapped block: it keeps its number although its top is out of sight.
    QScrollBar *scrollBar = fixture.m_edit->verticalScrollBar();
    scrollBar->setValue(qCeil(fixture.blockRect(1).top()) + 2 * lineHeight);
    const QVector<LineTextWidget::NumberRow> inside = fixture.m_gutter->visibleNumbers();
    QVERIFY(inside.size() >= 2);
    QCOMPARE(inside.at(0).number, 2);
    QVERIFY(inside.at(0).baseline < 0);
    QCOMPARE(inside.at(1).number, 3);

    // Scrolled so that block 10 starts the viewport: the numbers go on from 10, one per block.
    scrollBar->setValue(qCeil(fixture.blockRect(9).top()));
    const QVector<LineTextWidget::NumberRow> lower = fixture.m_gutter->visibleNumbers();
    QVERIFY(!lower.isEmpty());
    QCOMPARE(lower.first().number, 10);
    QVERIFY(lower.first().baseline > 0 && lower.first().baseline <= ascent + 2);
    QList<int> expected;
    for (int n = 10; n < 10 + lower.size(); ++n)
        expected.append(n);
    QCOMPARE(numbers(lower), expected);
    // The last number belongs to the block cut by the bottom edge, not to one below it.
    const int viewportHeight = fixture.m_edit->viewport()->height();
    const int lastTop = lower.last().baseline - ascent - 2;
    QVERIFY2(lastTop <= viewportHeight, "a number below the viewport");
    QVERIFY2(lastTop + lineHeight > viewportHeight, "the last visible block has no number");
}

void tst_LineTextWidget::cursorLineIsBold()
{
    Fixture fixture;
    QVERIFY(QTest::qWaitForWindowExposed(&fixture.m_window));
    fixture.m_edit->setFocus();

    QVector<LineTextWidget::NumberRow> rows = fixture.m_gutter->visibleNumbers();
    QVERIFY(rows.size() >= 3);
    QCOMPARE(QList<bool>({rows.at(0).bold, rows.at(1).bold, rows.at(2).bold}), QList<bool>({true, false, false}));

    QTest::keyClick(fixture.m_edit, Qt::Key_Down);
    rows = fixture.m_gutter->visibleNumbers();
    QCOMPARE(QList<bool>({rows.at(0).bold, rows.at(1).bold, rows.at(2).bold}), QList<bool>({false, true, false}));
}

QTEST_MAIN(tst_LineTextWidget)
#include "tst_LineTextWidget.moc"
