#include "ui/dbedit.h"

#include "common/formatsettings.h"
#include "records/query.h"

#include <QApplication>

namespace varnok {

TDBEdit::TDBEdit(QWidget *parent) : BoundControl<QLineEdit>(parent) {
    setFrame(false);
    connect(&link(), &FieldLink::refresh, this, &TDBEdit::showField);
    connect(this, &QLineEdit::textEdited, &link(), &FieldLink::userEdited);
    showField();
}

void TDBEdit::setTabStop(bool tabStop) {
    setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

bool TDBEdit::tabStop() const {
    return (focusPolicy() & Qt::TabFocus) != 0;
}

bool TDBEdit::acceptsCharacter(QChar c) const {
    const ZField *f = link().field();
    if (!f)
        return true;
    const bool digitOrSign = (c >= u'0' && c <= u'9') || c == u'+' || c == u'-';
    switch (f->kind()) {
    case ZField::Kind::Integer:
        return digitOrSign;
    case ZField::Kind::Float:
        return digitOrSign || c == u'E' || c == u'e' || c == decimalSeparator();
    case ZField::Kind::Date:
        return (c >= u'0' && c <= u'9') || c == u'.';
    default:
        return true;
    }
}

void TDBEdit::showField() {
    setReadOnly(!link().canModify());
    if (!link().modified()) {
        const QString value = link().text();
        if (value != text())
            setText(value);
        if (hasFocus())
            selectAll();
        else
            home(false); // the start of a long text is what shows
    }
    updateAlignment();
}

void TDBEdit::updateAlignment() {
    setAlignment(link().isNumeric() && !hasFocus() ? Qt::AlignRight | Qt::AlignVCenter
                                                   : Qt::AlignLeft | Qt::AlignVCenter);
}

void TDBEdit::keyPressEvent(QKeyEvent *event) {
    if (cancelOnEscape(event))
        return;
    // Shortcuts (Ctrl+A, Ctrl+V, ...) are not typing.
    const bool shortcut =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const QString typed = event->text();
    if (!shortcut && !typed.isEmpty() && typed.at(0).isPrint() && !acceptsCharacter(typed.at(0))) {
        QApplication::beep();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TDBEdit::focusInEvent(QFocusEvent *event) {
    QLineEdit::focusInEvent(event);
    updateAlignment();
}

void TDBEdit::focusOutEvent(QFocusEvent *event) {
    QLineEdit::focusOutEvent(event);
    if (leavesControl(event))
        leave();
    updateAlignment();
}

bool TDBEdit::leave() {
    if (!commitOnLeave(text()))
        return false;
    // Without an open row there is nothing to recompute.
    if (link().active())
        emit exited(this);
    return true;
}

void TDBEdit::mouseDoubleClickEvent(QMouseEvent *event) {
    QLineEdit::mouseDoubleClickEvent(event);
    if (link().active())
        emit doubleClicked(this);
}

} // namespace varnok
