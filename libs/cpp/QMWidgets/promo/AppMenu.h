#pragma once

#include <QMenu>

class QAction;

namespace QMWidgets {

// The drop-down of standard services: every entry calls a slot of the application object, except
// "Quit", which is raised as quitPressed() so that the owner decides what quitting means.
class AppMenu : public QMenu
{
    Q_OBJECT

public:
    explicit AppMenu(QWidget *parent = nullptr);

    // Hiding is final: nothing shows an entry again.
    void hideIntroAction();
    void hideSupportPageAction();
    void hideRateAction();
    void hideMoreAppsAction();
    void hideShareAction();
    void hideJoinAction();

signals:
    void quitPressed();

private:
    QAction *m_rateAction = nullptr;
    QAction *m_shareAction = nullptr;
    QAction *m_joinAction = nullptr;
    QAction *m_moreAppsAction = nullptr;
    QAction *m_supportPageAction = nullptr;
    QAction *m_introAction = nullptr;
};

} // namespace QMWidgets
