#pragma once

#include "ui/dbedit.h"

class QToolButton;

namespace varnok {

// Date edit bound to a date column (TDBDateEdit): a bound edit with a
// calendar button. An empty text stores no date (NULL); like every bound
// field it stores its text when it is left.
class TDBDateEdit : public TDBEdit {
    Q_OBJECT
public:
    explicit TDBDateEdit(QWidget *parent = nullptr);

    void setDialogTitle(const QString &title) { m_dialogTitle = title; }
    QString dialogTitle() const { return m_dialogTitle; }
    QToolButton *calendarButton() const { return m_button; }

    // Opens the calendar; a date taken there replaces the text.
    void popupCalendar();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QToolButton *m_button;
    QString m_dialogTitle;
};

} // namespace varnok
