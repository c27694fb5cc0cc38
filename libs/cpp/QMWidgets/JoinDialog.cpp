#include "JoinDialog.h"

#include "JoinWidget.h"
#include "StyleHelpers.h"

namespace QMWidgets {

JoinDialog::JoinDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Join us"));
    setObjectName(QStringLiteral("Dialog"));
    // The frame carries its own text.
    layOutFrameDialog(this, nullptr, new JoinWidget(nullptr));
}

} // namespace QMWidgets
