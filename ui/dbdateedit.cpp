#include "ui/dbdateedit.h"

#include "ui/calendardialog.h"

#include <QToolButton>

namespace varnok {

namespace {
const QString kDateFormat = QStringLiteral("d.M.yyyy");
constexpr int kButtonWidth = 17;
} // namespace

TDBDateEdit::TDBDateEdit(QWidget *parent) : TDBEdit(parent), m_button(new QToolButton(this)) {
    m_button->setObjectName(QStringLiteral("calendarButton"));
    m_button->setArrowType(Qt::DownArrow);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setCursor(Qt::ArrowCursor);
    setTextMargins(0, 0, kButtonWidth, 0);
    connect(m_button, &QToolButton::clicked, this, &TDBDateEdit::popupCalendar);
}

void TDBDateEdit::popupCalendar() {
    // Taking the focus first leaves the previous field, as a click would.
    setFocus(Qt::MouseFocusReason);
    if (window()->focusWidget() != this)
        return; // the previous field kept the focus: its text was refused
    if (!link().canModify())
        return;
    CalendarDialog dialog(m_dialogTitle, QDate::fromString(text().trimmed(), kDateFormat), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    setText(dialog.selectedDate().toString(kDateFormat));
    link().userEdited();
    selectAll();
}

void TDBDateEdit::resizeEvent(QResizeEvent *event) {
    TDBEdit::resizeEvent(event);
    m_button->setGeometry(width() - kButtonWidth, 0, kButtonWidth, height());
}

} // namespace varnok
