#pragma once

#include <QPushButton>

namespace QMWidgets {

class AppMenu;

// The push button that pops up the application menu and passes its "Quit" on.
class AppButton : public QPushButton
{
    Q_OBJECT

public:
    explicit AppButton(QWidget *parent = nullptr);

    AppMenu *appMenu() const;

    void hideIntroAction();
    void hideSupportPageAction();
    void hideRateAction();
    void hideMoreAppsAction();
    void hideShareAction();
    void hideJoinAction();

signals:
    void quitPressed();

private:
    AppMenu *m_appMenu;
};

} // namespace QMWidgets
