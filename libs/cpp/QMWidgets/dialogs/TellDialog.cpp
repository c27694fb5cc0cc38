#include "QMWidgets/dialogs/TellDialog.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/dialogs/FrameDialog.h"
#include "QMWidgets/style/StyleHelpers.h"
#include "QMWidgets/dialogs/TellWidget.h"

#include <QLabel>

namespace QMWidgets {

TellDialog::TellDialog(QWidget *parent)
    : QDialog(parent)
{
    const bool small = App::isSmallScreen();
    setWindowTitle(QStringLiteral("Share ") + QCoreApplication::applicationName());
    setObjectName(QStringLiteral("Dialog"));
    auto *text = new QLabel(QStringLiteral("<CENTER>") + (small ? QStringLiteral("<H4>") : QStringLiteral("<H2>"))
                            + tr("If you like the app") + tr("<br>please share it with<br>your friends.<br>Thanks!")
                            + (small ? QStringLiteral("</H4>") : QStringLiteral("</H2>")) + QStringLiteral("</CENTER>"));
    layOutFrameDialog(this, text, new TellWidget(nullptr));
}

} // namespace QMWidgets
