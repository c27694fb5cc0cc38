#include "QMWidgets/dialogs/SettingsWidget.h"

namespace QMWidgets {

SettingsWidget::SettingsWidget(QWidget *parent)
    : QWidget(parent)
{
}

void SettingsWidget::slotApply()
{
}

} // namespace QMWidgets
