#pragma once

#include "ui/fieldlink.h"

#include <QLineEdit>

namespace varnok {

class ZQuery;

// Single-line edit bound to one column of the open row (TDBEdit).
//
// It shows the column's value and follows every change of the row. Typing
// puts the row into editing; a key the column's type cannot hold is
// refused with a beep; Esc puts the stored value back. When the focus
// moves to another control of the window, a changed text is stored into
// the column and only then is exited() emitted; a text that cannot be
// stored is reported, selected, and the focus stays. Fields of number
// columns are right-aligned while they do not have the focus.
class TDBEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TDBEdit(QWidget *parent = nullptr);

    void setDataSource(ZQuery *query) { m_link.setDataSource(query); }
    ZQuery *dataSource() const { return m_link.dataSource(); }
    void setDataField(const QString &column) { m_link.setDataField(column); }
    QString dataField() const { return m_link.dataField(); }

    // ReadOnly: shows the column and refuses every change.
    void setFieldReadOnly(bool readOnly) { m_link.setReadOnly(readOnly); }
    bool isFieldReadOnly() const { return m_link.readOnly(); }
    // TabStop: false leaves the field out of Tab and Enter; a click still
    // focuses it.
    void setTabStop(bool tabStop);
    bool tabStop() const;

    // Whether a typed character fits the bound column's type.
    bool acceptsCharacter(QChar c) const;

signals:
    // The focus left the field and its text is stored (OnExit).
    void exited(varnok::TDBEdit *sender);
    void doubleClicked(varnok::TDBEdit *sender);

protected:
    FieldLink &link() { return m_link; }
    // The focus leaves the field: store, then exited(). False when the
    // text could not be stored and the focus was put back.
    bool leave();

    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void showField();
    void updateAlignment();

    FieldLink m_link;
};

// A focus change that means the field was left for another control of the
// window, not that the window lost activation to a dialog or a popup.
bool leavesControl(const QFocusEvent *event);

} // namespace varnok
