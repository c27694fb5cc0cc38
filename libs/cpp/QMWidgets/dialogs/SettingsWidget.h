#pragma once

#include <QDomDocument>
#include <QDomElement>
#include <QDomNode>
#include <QWidget>

namespace QMWidgets {

// A page of the settings dialog: it shows, applies, writes and reads its own settings. Its element in the
// settings file carries the page's name as tag.
class SettingsWidget : public QWidget
{
    Q_OBJECT

public:
    explicit SettingsWidget(QWidget *parent = nullptr);

    virtual void load(QDomNode node) = 0;
    virtual QDomElement save(QDomDocument &document) = 0;
    virtual QString name() const = 0;

public slots:
    virtual void slotApply();
};

} // namespace QMWidgets
