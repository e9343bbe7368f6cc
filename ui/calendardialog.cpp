#include "ui/calendardialog.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextCharFormat>
#include <QVBoxLayout>

namespace varnok {

CalendarDialog::CalendarDialog(const QString &title, const QDate &initial, QWidget *parent)
    : QDialog(parent), m_calendar(new QCalendarWidget(this)) {
    setObjectName(QStringLiteral("calendarDialog"));
    setWindowTitle(title);
    setAttribute(Qt::WA_WindowPropagation);
    m_calendar->setObjectName(QStringLiteral("calendar"));
    m_calendar->setLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    m_calendar->setGridVisible(true);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    QTextCharFormat weekend;
    weekend.setForeground(QColor(200, 0, 0));
    weekend.setBackground(QColor(255, 232, 232));
    m_calendar->setWeekdayTextFormat(Qt::Saturday, weekend);
    m_calendar->setWeekdayTextFormat(Qt::Sunday, weekend);
    m_calendar->setSelectedDate(initial.isValid() ? initial : QDate::currentDate());

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Storno"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_calendar, &QCalendarWidget::activated, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_calendar);
    layout->addWidget(buttons);
}

QDate CalendarDialog::selectedDate() const {
    return m_calendar->selectedDate();
}

} // namespace varnok
