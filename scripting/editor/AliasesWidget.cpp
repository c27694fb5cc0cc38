#include "scripting/editor/AliasesWidget.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace QMMistlark {

AliasesWidget::AliasesWidget(const QMap<QString, QString> &aliases, QWidget *parent)
    : QWidget(parent)
    , m_aliases(aliases)
    , m_tree(new QTreeWidget(this))
{
    auto *copy = new QPushButton(tr("&Copy to clipboard"), this);
    copy->setObjectName(QStringLiteral("PushButton"));
    connect(copy, &QPushButton::clicked, this, &AliasesWidget::copyToClipboard);

    m_tree->setColumnCount(2);
    m_tree->setHeaderLabels({tr("Alias"), tr("Full Name")});
    m_tree->setSortingEnabled(true);
    for (auto it = m_aliases.cbegin(); it != m_aliases.cend(); ++it)
        m_tree->addTopLevelItem(new QTreeWidgetItem(QStringList{it.value(), it.key()}));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(copy);
    layout->addWidget(m_tree);
}

QString AliasesWidget::aliasesText(const QMap<QString, QString> &aliases)
{
    QString text;
    for (auto it = aliases.cbegin(); it != aliases.cend(); ++it)
        text += it.value() + QLatin1Char('\t') + it.key() + QLatin1Char('\n');
    return text;
}

// The text follows the map, not the order in which the tree is sorted at the moment.
void AliasesWidget::copyToClipboard()
{
    QApplication::clipboard()->setText(aliasesText(m_aliases), QClipboard::Clipboard);
}

} // namespace QMMistlark
