#pragma once

#include <QMap>
#include <QString>
#include <QWidget>

class QTreeWidget;

namespace QMMistlark {

// Lists the class-alias map (alias and full class name) and copies it to the clipboard.
class AliasesWidget : public QWidget
{
    Q_OBJECT

public:
    explicit AliasesWidget(const QMap<QString, QString> &aliases, QWidget *parent = nullptr);

    // One line per entry in key order, "alias\tfull name\n"; empty for an empty map.
    static QString aliasesText(const QMap<QString, QString> &aliases);

public slots:
    void copyToClipboard();

private:
    QMap<QString, QString> m_aliases;
    QTreeWidget *m_tree;
};

} // namespace QMMistlark
