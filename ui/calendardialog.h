#pragma once

#include <QDate>
#include <QDialog>

class QCalendarWidget;

namespace varnok {

// The calendar of the date edit: a month grid with Saturdays and Sundays
// marked as weekend days; OK or a double-click takes the date.
class CalendarDialog : public QDialog {
    Q_OBJECT
public:
    CalendarDialog(const QString &title, const QDate &initial, QWidget *parent = nullptr);

    QCalendarWidget *calendar() const { return m_calendar; }
    QDate selectedDate() const;

private:
    QCalendarWidget *m_calendar;
};

} // namespace varnok
