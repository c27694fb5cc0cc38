#include "scripting/OutputArea.h"

namespace QMMistlark {

OutputArea::OutputArea(QWidget *parent)
    : QTextEdit(parent)
{
}

} // namespace QMMistlark
