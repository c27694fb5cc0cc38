#pragma once

#include <QTextEdit>

namespace QMMistlark {

// The pane below the script where scripts print and where the run reports its errors in red. It keeps the
// newest output only, as a terminal's scrollback does: a script that prints for ever cannot take the memory.
class OutputArea : public QTextEdit
{
    Q_OBJECT

public:
    // Paragraphs kept; the oldest go first.
    static constexpr int KeptParagraphs = 100 * 1000;
    // Characters kept, whatever the paragraphs hold; the oldest paragraphs go first.
    static constexpr int KeptCharacters = 20 * 1000 * 1000;
    // The red of the reports: the hue of #AA0000, dark enough to read on the pane's grey.
    static const char ReportColor[];

    explicit OutputArea(QWidget *parent = nullptr);

    // Adds the report (HTML) in red, in a paragraph of its own, at the end: its cost follows the report, not
    // what was printed before. What is printed after it is black again.
    void appendRedReport(const QString &html);

protected:
    // A picture or style sheet that printed text names is read only through the bounded reader and the picture
    // bounds: Qt's own loader waits on a named pipe for ever and reads a file of any size.
    QVariant loadResource(int type, const QUrl &name) override;

private:
    void trimToKeptCharacters();

    bool m_trimPending = false;
};

} // namespace QMMistlark
