#pragma once

#include <QPushButton>

class QMenu;
class QPixmap;
class QSignalMapper;

namespace QMWidgets {

// A push button with a plain menu of web links to other applications.
class MoreAppsButton : public QPushButton
{
    Q_OBJECT

public:
    explicit MoreAppsButton(QWidget *parent = nullptr);

    // The link is used as given: an empty one still makes an entry.
    void addApp(const QPixmap &icon, const QString &text, const QString &url);
    void addAppStoreApp(const QPixmap &icon, const QString &text, const QString &name, const QString &id);
    void addSeparator();
    // The caller keeps the action.
    void addAction(QAction *action);

public slots:
    void slotCallUrl(const QString &url);

private:
    QMenu *m_menu;
    QSignalMapper *m_mapper;
};

} // namespace QMWidgets
