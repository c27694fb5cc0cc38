#include "QMWidgets/dialogs/JoinDialog.h"

#include "QMWidgets/dialogs/JoinWidget.h"
#include "QMWidgets/dialogs/FrameDialog.h"
#include "QMWidgets/style/StyleHelpers.h"

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
