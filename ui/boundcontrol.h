#pragma once

#include "ui/fieldlink.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace varnok {

class ZQuery;

// A focus change that means the control was left for another control of
// the window, not that the window lost activation to a dialog or a popup.
inline bool leavesControl(const QFocusEvent *event) {
    return event->reason() != Qt::ActiveWindowFocusReason &&
           event->reason() != Qt::PopupFocusReason;
}

// What every bound control shares, over its Qt edit class: the data
// source, the column and the read-only property; Esc putting the stored
// value back; storing the text when the control is left.
template <class Edit> class BoundControl : public Edit {
public:
    using Edit::Edit;

    void setDataSource(ZQuery *query) { m_link.setDataSource(query); }
    ZQuery *dataSource() const { return m_link.dataSource(); }
    void setDataField(const QString &column) { m_link.setDataField(column); }
    QString dataField() const { return m_link.dataField(); }
    // ReadOnly: shows the column and refuses every change.
    void setFieldReadOnly(bool readOnly) { m_link.setReadOnly(readOnly); }
    bool isFieldReadOnly() const { return m_link.readOnly(); }

protected:
    FieldLink &link() { return m_link; }
    const FieldLink &link() const { return m_link; }

    // Esc: the stored value comes back, selected. True when handled.
    bool cancelOnEscape(QKeyEvent *event) {
        if (event->key() != Qt::Key_Escape || event->modifiers() != Qt::NoModifier)
            return false;
        m_link.reset();
        this->selectAll();
        event->accept();
        return true;
    }

    // The focus left: a changed text goes into the column. False when the
    // column refused it; the text is then selected and the focus stays.
    bool commitOnLeave(const QString &text) {
        if (m_link.commit(text, this))
            return true;
        this->selectAll();
        return false;
    }

private:
    FieldLink m_link;
};

} // namespace varnok
