#include "ui/dbmemo.h"

namespace varnok {

namespace {
// The notes keep Windows line breaks in the row, as they always had.
QString fromColumn(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
QString toColumn(QString text) {
    return text.replace(u'\n', QStringLiteral("\r\n"));
}
} // namespace

TDBMemo::TDBMemo(QWidget *parent) : BoundControl<QPlainTextEdit>(parent) {
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    connect(&link(), &FieldLink::refresh, this, &TDBMemo::showField);
    connect(this, &QPlainTextEdit::textChanged, this, &TDBMemo::textTyped);
    showField();
}

void TDBMemo::showField() {
    setReadOnly(!link().canModify());
    if (link().modified())
        return;
    const QString value = fromColumn(link().text());
    if (value == toPlainText())
        return;
    m_showing = true;
    setPlainText(value);
    m_showing = false;
}

void TDBMemo::textTyped() {
    if (!m_showing)
        link().userEdited();
}

void TDBMemo::keyPressEvent(QKeyEvent *event) {
    if (cancelOnEscape(event))
        return;
    QPlainTextEdit::keyPressEvent(event);
}

void TDBMemo::focusOutEvent(QFocusEvent *event) {
    QPlainTextEdit::focusOutEvent(event);
    if (leavesControl(event))
        commitOnLeave(toColumn(toPlainText()));
}

} // namespace varnok
