#pragma once

#include "ui/boundcontrol.h"

#include <QLineEdit>

namespace varnok {

// Single-line edit bound to one column of the open row (TDBEdit).
//
// It shows the column's value and follows every change of the row. Typing
// puts the row into editing; a key the column's type cannot hold is
// refused with a beep; Esc puts the stored value back. When the focus
// moves to another control of the window, a changed text is stored into
// the column and only then is exited() emitted; a text that cannot be
// stored is reported, selected, and the focus stays. Fields of number
// columns are right-aligned while they do not have the focus.
class TDBEdit : public BoundControl<QLineEdit> {
    Q_OBJECT
public:
    explicit TDBEdit(QWidget *parent = nullptr);

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
};

} // namespace varnok
