#include "QMWidgets/widgets/DateWidget.h"

#include "MTools/Calendar.h"

#include <QComboBox>
#include <QDate>
#include <QHBoxLayout>
#include <QSignalBlocker>

namespace QMWidgets {

namespace {
constexpr int Days = 31;
constexpr int Months = 12;
constexpr int YearsBack = 130;
}

DateWidget::DateWidget(int yearOffset, QWidget *parent)
    : QWidget(parent)
{
    setMinimumWidth(300);
    m_day = new QComboBox;
    m_month = new QComboBox;
    m_year = new QComboBox;
    // No upper widths: under the style sheet's padding "December" did not fit in 110 pixels, nor a year in 90
    // on a scaled screen. Each combo asks for what its longest item needs.
    m_day->setMinimumWidth(50);
    m_month->setMinimumWidth(90);
    m_year->setMinimumWidth(70);
    for (QComboBox *combo : {m_day, m_month, m_year})
        connect(combo, SIGNAL(currentIndexChanged(int)), this, SIGNAL(dataChanged()));
    for (int month = 1; month <= Months; ++month)
        m_month->addItem(MTools::monthName(month));
    connect(m_month, SIGNAL(currentIndexChanged(int)), this, SLOT(slotMonthChanged(int)));
    m_year->addItem(QString());
    const int newest = QDate::currentDate().year() + yearOffset;
    for (int year = newest; year >= newest - YearsBack; --year)
        m_year->addItem(QString::number(year));
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    row->addWidget(m_day);
    row->addWidget(m_month);
    row->addWidget(m_year);
    row->addStretch(1);
    setLayout(row);
    for (int day = 1; day <= Days; ++day)
        m_day->addItem(QString::number(day));
}

int DateWidget::day() const
{
    return m_day->currentIndex() + 1;
}

int DateWidget::month() const
{
    return m_month->currentIndex() + 1;
}

int DateWidget::year() const
{
    bool ok = false;
    const int value = m_year->currentText().toInt(&ok);
    return ok ? value : -1;
}

void DateWidget::setDay(const int &day)
{
    // Beyond the last item the combo would lose its current day.
    m_day->setCurrentIndex(qBound(1, day, Days) - 1);
}

void DateWidget::setMonth(const int &month)
{
    // Beyond December the combo would lose its current month and month() would answer 0.
    m_month->setCurrentIndex(qBound(1, month, Months) - 1);
}

void DateWidget::setYear(const int &year)
{
    if (year <= 0)
        return;
    m_year->setCurrentIndex(m_year->findText(QString::number(year), Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void DateWidget::setDayOnly(bool dayOnly)
{
    m_month->setVisible(!dayOnly);
    m_year->setVisible(!dayOnly);
}

void DateWidget::reset()
{
    const QSignalBlocker blockDay(m_day);
    const QSignalBlocker blockMonth(m_month);
    const QSignalBlocker blockYear(m_year);
    m_year->setCurrentIndex(0);
    m_month->setCurrentIndex(0);
    m_day->setCurrentIndex(0);
}

void DateWidget::slotMonthChanged(int)
{
}

} // namespace QMWidgets
