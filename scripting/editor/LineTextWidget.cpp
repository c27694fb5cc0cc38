#include "scripting/editor/LineTextWidget.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>

namespace QMMistlark {

namespace {
const int rightMargin = 7;
const int leftMargin = 1;
const int baselineOffset = 2;
} // namespace

LineTextWidget::LineTextWidget(QWidget *parent)
    : QWidget(parent)
{
}

void LineTextWidget::setTextEdit(QTextEdit *textEdit)
{
    m_textEdit = textEdit;
    connect(textEdit, &QTextEdit::textChanged, this, &LineTextWidget::updateLines);
    connect(textEdit, &QTextEdit::cursorPositionChanged, this, &LineTextWidget::updateLines);
    connect(textEdit->verticalScrollBar(), &QScrollBar::valueChanged, this, &LineTextWidget::updateLines);
    fitWidth();
}

void LineTextWidget::setBaseWidth(int width)
{
    m_baseWidth = width;
    fitWidth();
}

void LineTextWidget::updateLines()
{
    fitWidth();
    repaint();
}

// Numbers are placed by the width of "0" per digit; the bold one of the cursor's line may be wider.
void LineTextWidget::fitWidth()
{
    if (m_baseWidth <= 0)
        return;
    int needed = 0;
    if (m_textEdit) {
        QFont bold = m_textEdit->font();
        bold.setWeight(QFont::Bold);
        const int digitWidth = qMax(QFontMetrics(m_textEdit->font()).horizontalAdvance(QLatin1Char('0')),
                                    QFontMetrics(bold).horizontalAdvance(QLatin1Char('0')));
        const int digits = QString::number(m_textEdit->document()->blockCount()).length();
        needed = leftMargin + digitWidth * digits + rightMargin;
    }
    const int fitted = qMax(m_baseWidth, needed);
    if (minimumWidth() != fitted || maximumWidth() != fitted)
        setFixedWidth(fitted);
}

QVector<LineTextWidget::NumberRow> LineTextWidget::visibleNumbers() const
{
    QVector<NumberRow> rows;
    if (!m_textEdit)
        return rows;

    const int scroll = m_textEdit->verticalScrollBar()->value();
    const int viewportHeight = m_textEdit->viewport()->height();
    const int ascent = QFontMetrics(m_textEdit->font()).ascent();
    const QAbstractTextDocumentLayout *layout = m_textEdit->document()->documentLayout();
    const int currentBlock = m_textEdit->textCursor().blockNumber();

    // The first block is the one at the top of the viewport, found by position: counting lines
    // of the font's height goes wrong as soon as a block above wraps. A hit on the boundary may give
    // the block that ends there, which is not visible.
    QTextBlock block = m_textEdit->cursorForPosition(QPoint(0, 0)).block();
    if (block.isValid() && layout->blockBoundingRect(block).bottom() <= scroll)
        block = block.next();
    for (; block.isValid(); block = block.next()) {
        const qreal top = layout->blockBoundingRect(block).top();
        if (top > scroll + viewportHeight)
            break;
        rows.append({block.blockNumber() + 1, int(top) - scroll + baselineOffset + ascent,
                     block.blockNumber() == currentBlock});
    }
    return rows;
}

void LineTextWidget::paintEvent(QPaintEvent *)
{
    if (!m_textEdit)
        return;

    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    // Right-aligned by the width of "0" per digit, in the text edit's font so the numbers follow its zoom.
    const QFont textFont = m_textEdit->font();
    const int digitWidth = QFontMetrics(textFont).horizontalAdvance(QLatin1Char('0'));
    for (const NumberRow &row : visibleNumbers()) {
        QFont font = textFont;
        font.setWeight(row.bold ? QFont::Bold : QFont::Normal);
        painter.setFont(font);
        const QString text = QString::number(row.number);
        painter.drawText(width() - rightMargin - digitWidth * text.length(), row.baseline, text);
    }
}

} // namespace QMMistlark
