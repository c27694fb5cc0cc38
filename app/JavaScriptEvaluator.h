#pragma once

#include "QMWidgets/promo/PromoMainPage.h"

#include <QList>
#include <QString>

class QCloseEvent;
class QResizeEvent;
class QShowEvent;
class JSMainWindow;
class MUITabBar;
class MUITabBarItem;

namespace QMMistlark {
class RunControls;
} // namespace QMMistlark

// The product's top-level window: the tool bar over one script window. Every window has its own
// script window, Editor and engine; New and the examples open further, independent windows.
class JavaScriptEvaluator : public QMWidgets::PromoMainPage
{
    Q_OBJECT

public:
    explicit JavaScriptEvaluator(QWidget *parent = nullptr);

    void setText(const QString &text);

public slots:
    void slotChangeWindowTitle(const QString &title);
    void slotFibonaci();
    void slotJson();
    void slotRegex();
    void slotPi();
    // The new window has no parent: it lives until the program ends.
    JavaScriptEvaluator *slotCreateNewWindow();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillToolBar();
    // From the script window's own state: the signal that asks for this may come from anyone.
    void showRunState();
    void adjustPromotionBar();

    JSMainWindow *m_scriptWindow;
    MUITabBar *m_toolBar;
    // Open, Run and Debug: off while the script runs, since they would act on the running Editor.
    QList<MUITabBarItem *> m_startingItems;
    QMMistlark::RunControls *m_runControls;
    // While the unsaved-changes question is up: a second close does nothing.
    bool m_asking = false;
};
