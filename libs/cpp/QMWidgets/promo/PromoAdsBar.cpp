#include "QMWidgets/promo/PromoAdsBar.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/style/DisabledLook.h"
#include "QMWidgets/promo/PromoMenuBar.h"

#include <QAction>
#include <QHBoxLayout>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTime>
#include <QTimer>

namespace QMWidgets {

PromoAdsBar::PromoAdsBar(QWidget *parent, PromoMenuBar *source)
    : QFrame(parent)
    , m_source(source)
    , m_rotationTimer(new QTimer(this))
    , m_closeButton(new QPushButton)
{
    setObjectName(QStringLiteral("AdsBar"));
    setCursor(Qt::PointingHandCursor);
    m_rotationTimer->setInterval(25000);

    m_closeButton->setObjectName(QStringLiteral("AdsBarCloseButton"));
    new DisabledLook(m_closeButton);
    m_closeButton->setFlat(true);
    m_closeButton->setToolTip(tr("Close the banner"));
    connect(m_closeButton, &QPushButton::clicked, this, &PromoAdsBar::slotCloseClicked);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addStretch(1);
    layout->addWidget(m_closeButton);

    connect(m_rotationTimer, &QTimer::timeout, this, &PromoAdsBar::slotInsertAd);
}

void PromoAdsBar::setMaxAds(int maxAds)
{
    m_maxAds = maxAds;
}

void PromoAdsBar::setHideOnAdClick(bool hide)
{
    m_hideOnAdClick = hide;
}

void PromoAdsBar::setHideOnClose(bool hide)
{
    m_hideOnClose = hide;
}

void PromoAdsBar::setAdInterval(int milliseconds)
{
    m_rotationTimer->setInterval(milliseconds);
}

void PromoAdsBar::hideCloseButton()
{
    m_closeButton->hide();
}

QAction *PromoAdsBar::currentAction() const
{
    return m_currentAction;
}

// Draws from the first entries only, never the last (the general "More Apps" entry). A source with
// fewer than two entries, or with no text among the candidates, leaves the entry on show as it was.
void PromoAdsBar::slotInsertAd()
{
    if (!m_source)
        return;
    const QList<QAction *> actions = m_source->actions();
    const int count = actions.size();
    const int candidates = (m_maxAds > 0 && m_maxAds < count - 1) ? m_maxAds : count - 1;
    QList<QAction *> usable;
    for (int i = 0; i < candidates; ++i) {
        if (!actions.at(i)->text().isEmpty())
            usable.append(actions.at(i));
    }
    // Drawing among the candidates until a text comes up is the same as drawing among those with a text.
    if (!usable.isEmpty())
        m_currentAction = usable.at(qrand() % usable.size());
    repaint();
}

void PromoAdsBar::slotCloseClicked()
{
    if (m_hideOnClose)
        hide();
    emit closeClicked();
}

void PromoAdsBar::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    // The action and the signal may each lead an owner to delete the bar.
    const QPointer<PromoAdsBar> alive(this);
    if (m_currentAction)
        m_currentAction->activate(QAction::Trigger);
    if (alive)
        emit adClicked();
    if (!alive) {
        event->accept(); // nothing may pass the press on through a deleted bar
        return;
    }
    if (m_hideOnAdClick)
        hide();
}

void PromoAdsBar::paintEvent(QPaintEvent *event)
{
    if (m_currentAction) {
        QPainter painter(this);
        const int w = width();
        const int h = height();
        const int scale = int(App::primaryScreenPixelRatio());
        const QPixmap icon = m_currentAction->icon().pixmap(QSize(scale * h, scale * h), QIcon::Normal, QIcon::On);
        painter.drawPixmap(QRect(0, 0, h, h), icon);
        const QRect textRect = m_closeButton->isVisible() ? QRect(QPoint(h + 10, 0), QPoint(w - 26, h - 1))
                                                          : QRect(QPoint(h + 12, 0), QPoint(w - 13, h - 1));
        QString text = m_currentAction->text();
        text.replace(QStringLiteral("&&"), QStringLiteral("&"));
        painter.drawText(textRect, Qt::AlignCenter | Qt::TextWordWrap, text + QLatin1Char('!'));
    }
    QFrame::paintEvent(event);
}

void PromoAdsBar::showEvent(QShowEvent *event)
{
    qsrand(uint(QTime::currentTime().msec()));
    slotInsertAd();
    m_rotationTimer->start();
    QWidget::showEvent(event);
}

} // namespace QMWidgets
