#pragma once

#include <QFrame>
#include <QPointer>

class QAction;
class QPushButton;
class QTimer;

namespace QMWidgets {

class PromoMenuBar;

// A clickable strip that shows one entry of the promotion bar's More menu and changes it for another,
// picked at random, every 25 seconds. A click triggers the entry on show.
class PromoAdsBar : public QFrame
{
    Q_OBJECT

public:
    PromoAdsBar(QWidget *parent, PromoMenuBar *source);

    void setMaxAds(int maxAds);
    void setHideOnAdClick(bool hide);
    void setHideOnClose(bool hide);
    void setAdInterval(int milliseconds);
    void hideCloseButton();

    // The entry on show, null before the first pick found one.
    QAction *currentAction() const;

signals:
    void adClicked();
    void closeClicked();

public slots:
    void slotInsertAd();
    void slotCloseClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    PromoMenuBar *m_source;
    QPointer<QAction> m_currentAction;
    QTimer *m_rotationTimer;
    int m_maxAds = 10;
    bool m_hideOnAdClick = false;
    QPushButton *m_closeButton;
    bool m_hideOnClose = false;
};

} // namespace QMWidgets
