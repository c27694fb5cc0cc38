#include "QMWidgets/widgets/ListWidgetItem.h"

namespace QMWidgets {

ListWidgetItem::ListWidgetItem(QListWidget *view, int type)
    : QListWidgetItem(view, type)
{
}

ListWidgetItem::ListWidgetItem(const QString &text, QListWidget *view, int type)
    : QListWidgetItem(text, view, type)
{
}

ListWidgetItem::ListWidgetItem(const QIcon &icon, const QString &text, QListWidget *view, int type)
    : QListWidgetItem(icon, text, view, type)
{
}

ListWidgetItem::ListWidgetItem(const QListWidgetItem &other)
    : QListWidgetItem(other)
{
}

// A copy is a new row: the key stays with the row it was given to.
ListWidgetItem::ListWidgetItem(const ListWidgetItem &other)
    : QListWidgetItem(other)
{
}

ListWidgetItem &ListWidgetItem::operator=(const ListWidgetItem &other)
{
    QListWidgetItem::operator=(other);
    return *this;
}

ListWidgetItem::~ListWidgetItem() = default;

void ListWidgetItem::setPayload(const QString &payload)
{
    m_payload = payload;
}

QString ListWidgetItem::payload() const
{
    return m_payload;
}

} // namespace QMWidgets
