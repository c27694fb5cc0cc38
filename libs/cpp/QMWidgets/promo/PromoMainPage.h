#pragma once

#include <QFrame>

namespace QMWidgets {

class PromoAdsBar;
class PromoMenuBar;

// The base of a top-level main page: it makes the promotion bar, which the deriving window puts into
// its own layout, and on request the advertising banner.
class PromoMainPage : public QFrame
{
    Q_OBJECT

public:
    PromoMainPage(QWidget *parent, bool relayQuit);

    PromoMenuBar *menuBar() const;
    // Made on the first call, then the same banner.
    PromoAdsBar *adsBar();

signals:
    void quitApp();

public slots:
    virtual void slotAdClicked();

private:
    PromoMenuBar *m_menuBar;
    PromoAdsBar *m_adsBar = nullptr;
};

} // namespace QMWidgets
