#include "scripting/editor/OptionsDialog.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace QMMistlark {

OptionsDialog::OptionsDialog(QWidget *parent)
    : QDialog(parent)
    , m_edit(new QLineEdit(this))
{
    auto *ok = new QPushButton(tr("Ok"), this);
    auto *cancel = new QPushButton(tr("Cancel"), this);
    connect(ok, &QPushButton::clicked, this, &OptionsDialog::ok);
    connect(cancel, &QPushButton::clicked, this, &OptionsDialog::close);

    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(2, 2, 2, 2);
    buttons->setSpacing(2);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(m_edit);
    layout->addLayout(buttons);
}

void OptionsDialog::ok()
{
    accept();
}

} // namespace QMMistlark
