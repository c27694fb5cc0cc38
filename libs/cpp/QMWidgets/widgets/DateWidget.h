#pragma once

#include <QWidget>

class QComboBox;

namespace QMWidgets {

// Day, month and an optional year in three combo boxes; any change is reported by dataChanged().
class DateWidget : public QWidget
{
    Q_OBJECT

public:
    explicit DateWidget(int yearOffset = 0, QWidget *parent = nullptr);

    int day() const;
    int month() const;
    // -1 while the year is left empty.
    int year() const;
    void setDay(const int &day);
    void setMonth(const int &month);
    void setYear(const int &year);
    void setDayOnly(bool dayOnly);
    void reset();

signals:
    void dataChanged();

public slots:
    void slotMonthChanged(int index);

private:
    QComboBox *m_day;
    QComboBox *m_month;
    QComboBox *m_year;
};

} // namespace QMWidgets
