#pragma once

#include <QTextEdit>

namespace QMMistlark {

// The pane below the script where scripts print and where the run reports its errors in red.
class OutputArea : public QTextEdit
{
    Q_OBJECT

public:
    explicit OutputArea(QWidget *parent = nullptr);
};

} // namespace QMMistlark
