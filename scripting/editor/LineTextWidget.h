#pragma once

#include <QPointer>
#include <QVector>
#include <QWidget>

class QTextEdit;

namespace QMMistlark {

// The strip beside the script that numbers its visible lines, the cursor's line in bold.
// A line is a text block, so a long line that wraps keeps one number and the numbers match error reports.
class LineTextWidget : public QWidget
{
    Q_OBJECT

public:
    // One number to paint: the block's line number counted from 1, the base line of its text in
    // gutter coordinates, and whether the text cursor is in that block.
    struct NumberRow
    {
        int number;
        int baseline;
        bool bold;
    };

    explicit LineTextWidget(QWidget *parent = nullptr);

    void setTextEdit(QTextEdit *textEdit);
    // The width the gutter keeps at least; it grows beyond it when the widest line number needs more
    // room in the text edit's font, as after zooming in. 0, the default, leaves the width alone.
    void setBaseWidth(int width);
    // The rows that paintEvent draws; empty with no text edit attached.
    QVector<NumberRow> visibleNumbers() const;

public slots:
    void updateLines();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void fitWidth();

    QPointer<QTextEdit> m_textEdit;
    int m_baseWidth = 0;
};

} // namespace QMMistlark
