#include "QMWidgets/widgets/UltraRadioBox.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/style/DisabledLook.h"
#include "QMWidgets/style/StyleHelpers.h"
#include "QMWidgets/widgets/UltraRadioBoxPopup.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace QMWidgets {

UltraRadioBox::UltraRadioBox(QWidget *parent)
    : QWidget(parent)
{
    new DisabledLook(this);
    setAttribute(Qt::WA_MouseTracking);
    m_popup = new UltraRadioBoxPopup(this, Qt::Window | Qt::FramelessWindowHint);
    m_popup->hide();
    m_popup->setWindowOpacity(0.6);
    m_popupLayout = new QVBoxLayout;
    m_popupLayout->setContentsMargins(0, 0, 0, 0);
    m_popupLayout->setSpacing(0);
    m_popup->setLayout(m_popupLayout);
}

QPixmap UltraRadioBox::render(QAbstractButton *button)
{
    return button->grab(QRect(QPoint(0, 0), button->size()));
}

void UltraRadioBox::addButton(QAbstractButton *button, const QString &caption)
{
    if (!button)
        return;
    auto *captionButton = new QPushButton;
    m_captions.insert(button, captionButton);
    captionButton->setText(caption);
    auto *row = new QHBoxLayout;
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    row->addWidget(button);
    row->addWidget(captionButton);
    button->setCheckable(true);
    button->setChecked(false);
    setupPushButton(captionButton);
    connect(captionButton, SIGNAL(clicked()), button, SLOT(click()));
    m_popupLayout->addLayout(row);
    setFixedSize(button->size());
    connect(button, SIGNAL(clicked()), this, SLOT(slotButtonClicked()));
    m_shown = render(button);
    repaint();
}

void UltraRadioBox::setCurrentButton(QAbstractButton *button)
{
    if (!button)
        return;
    m_current = button;
    for (QAbstractButton *each : findChildren<QAbstractButton *>()) {
        each->setChecked(false);
        // A choice the caller hid stays hidden, and so does its caption.
        QAbstractButton *choice = m_captions.contains(each) ? each : m_captions.key(qobject_cast<QPushButton *>(each), nullptr);
        if (choice && m_hidden.contains(choice))
            continue;
        each->show();
        if (m_captions.contains(each))
            m_captions.value(each)->show();
    }
    m_hover = render(button);
    button->setChecked(true);
    button->hide();
    if (QPushButton *caption = m_captions.value(button))
        caption->hide();
    m_popup->hide();
    m_shown = render(button);
    m_normal = m_shown;
    if (QPushButton *caption = m_captions.value(button))
        setToolTip(caption->text());
    repaint();
}

QAbstractButton *UltraRadioBox::currentButton() const
{
    return m_current;
}

void UltraRadioBox::setButtonVisible(QAbstractButton *button, bool visible)
{
    if (!button || !m_captions.contains(button))
        return;
    m_hidden.removeAll(button);
    if (!visible)
        m_hidden.append(button);
    // The current choice is never offered in the popup.
    const bool show = visible && button != m_current;
    button->setVisible(show);
    m_captions.value(button)->setVisible(show);
}

void UltraRadioBox::hidePopup()
{
    m_popup->hide();
}

void UltraRadioBox::setPopupOpacity(const float &opacity)
{
    m_popup->setWindowOpacity(double(opacity));
}

void UltraRadioBox::slotButtonClicked()
{
    auto *button = qobject_cast<QAbstractButton *>(sender());
    if (!button)
        return;
    setCurrentButton(button);
    emit buttonClicked();
}

void UltraRadioBox::slotFocusChanged(QWidget *, QWidget *)
{
}

void UltraRadioBox::mousePressEvent(QMouseEvent *event)
{
    const QPoint global = mapToGlobal(QPoint(0, 0));
    m_popup->move(global.x(), global.y() + height());
    m_popup->raise();
    m_popup->setVisible(m_popup->isHidden());
    int percent = 35;
    if (App *app = App::instance())
        percent = app->value(QStringLiteral("TransparencyParameters/UltraRadioPopups"), 35).toInt();
    m_popup->setWindowOpacity(1.3f - percent / 100.0);
    QWidget::mousePressEvent(event);
    const QPointer<UltraRadioBox> alive(this);
    emit actionPerformed();
    // Taken, so that nothing passes the press on through a box its owner deleted on the signal.
    if (!alive)
        event->accept();
}

void UltraRadioBox::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
}

void UltraRadioBox::enterEvent(QEvent *event)
{
    if (m_current) {
        m_shown = m_hover;
        repaint();
    }
    QWidget::enterEvent(event);
}

void UltraRadioBox::leaveEvent(QEvent *event)
{
    if (m_current) {
        m_shown = m_normal;
        repaint();
    }
    QWidget::leaveEvent(event);
}

void UltraRadioBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(QRect(0, 0, width(), height()), m_shown);
    painter.setBrush(QBrush(Qt::white, Qt::SolidPattern));
    painter.translate(width() - 10, height() - 8);
    const QPoint arrow[3] = {QPoint(0, 0), QPoint(8, 0), QPoint(4, 4)};
    painter.drawPolygon(arrow, 3, Qt::OddEvenFill);
}

} // namespace QMWidgets
