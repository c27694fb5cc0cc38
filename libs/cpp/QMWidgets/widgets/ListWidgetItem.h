#pragma once

#include <QListWidgetItem>

namespace QMWidgets {

// A list row that carries one extra text, a key or path, beside the text it shows. The payload is
// neither copied nor assigned, nor cloned by clone(), nor written by write().
class ListWidgetItem : public QListWidgetItem
{
public:
    explicit ListWidgetItem(QListWidget *view = nullptr, int type = Type);
    explicit ListWidgetItem(const QString &text, QListWidget *view = nullptr, int type = Type);
    ListWidgetItem(const QIcon &icon, const QString &text, QListWidget *view = nullptr, int type = Type);
    ListWidgetItem(const QListWidgetItem &other);
    ListWidgetItem(const ListWidgetItem &other);
    // Takes the other row's look; this row keeps its own payload.
    ListWidgetItem &operator=(const ListWidgetItem &other);
    ~ListWidgetItem() override;

    void setPayload(const QString &payload);
    QString payload() const;

private:
    QString m_payload;
};

} // namespace QMWidgets
