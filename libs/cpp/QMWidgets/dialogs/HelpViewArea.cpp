#include "QMWidgets/dialogs/HelpViewArea.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/dialogs/HelpDisplay.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QPushButton>
#include <QSignalMapper>
#include <QTimer>

namespace QMWidgets {

HelpViewArea::HelpViewArea(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("HelpViewArea"));
    m_timer = new QTimer(this);
    m_timer->setInterval(5000);
    connect(m_timer, SIGNAL(timeout()), this, SLOT(slotShowNextSlide()));
    m_mapper = new QSignalMapper(this);
    connect(m_mapper, SIGNAL(mappedString(QString)), this, SLOT(slotShowSlide(QString)));

    m_display = new HelpDisplay(nullptr);
    if (App::isSmallScreen())
        m_display->setMinimumSize(280, 220);
    else
        m_display->setMinimumSize(400, 300);

    m_group = new QButtonGroup;
    m_group->setExclusive(true);
    connect(m_group, SIGNAL(buttonClicked(QAbstractButton *)), this, SLOT(slotButtonClicked()));

    m_buttonRow = new QHBoxLayout;
    m_buttonRow->setContentsMargins(0, 0, 0, 0);
    m_buttonRow->setSpacing(3);
    auto *centre = new QHBoxLayout;
    centre->setContentsMargins(0, 0, 0, 0);
    centre->addStretch(1);
    centre->addLayout(m_buttonRow);
    centre->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addWidget(m_display);
    layout->addLayout(centre);
}

// The group has no parent, so it goes with the area.
HelpViewArea::~HelpViewArea()
{
    delete m_group;
}

void HelpViewArea::addSlide(const QString &path)
{
    ++m_slideCount;
    auto *button = new QPushButton(QString::number(m_slideCount));
    button->setFlat(true);
    button->setFixedSize(18, 18);
    button->setObjectName(QStringLiteral("HelpSlideButton"));
    button->setCheckable(true);
    m_group->addButton(button);
    m_buttonRow->addWidget(button);
    // Any toggle shows the button's slide; when another is checked, the old one toggles off first.
    connect(button, SIGNAL(toggled(bool)), m_mapper, SLOT(map()));
    connect(button, SIGNAL(clicked()), this, SLOT(slotStopSlideShow()));
    m_mapper->setMapping(button, path);
}

void HelpViewArea::slotButtonClicked()
{
    m_group->checkedButton();
}

void HelpViewArea::slotShowSlide(const QString &path)
{
    m_display->setImage(path);
}

void HelpViewArea::slotShowNextSlide()
{
    const QList<QAbstractButton *> buttons = m_group->buttons();
    if (buttons.isEmpty())
        return;
    const int checked = buttons.indexOf(m_group->checkedButton());
    // With none checked the show starts again at the first slide.
    buttons.at((checked + 1) % buttons.size())->setChecked(true);
}

void HelpViewArea::slotStartSlideShow()
{
    const QList<QAbstractButton *> buttons = m_group->buttons();
    if (!m_group->checkedButton() && !buttons.isEmpty())
        buttons.first()->setChecked(true);
    m_timer->start();
}

void HelpViewArea::slotStopSlideShow()
{
    m_timer->stop();
}

} // namespace QMWidgets
