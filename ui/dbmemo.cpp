#include "ui/dbmemo.h"

#include "ui/dbedit.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace varnok {

namespace {
// The notes keep Windows line breaks in the row, as they always had.
QString fromColumn(QString text) { return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }
QString toColumn(QString text) { return text.replace(u'\n', QStringLiteral("\r\n")); }
} // namespace

TDBMemo::TDBMemo(QWidget *parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    connect(&m_link, &FieldLink::refresh, this, &TDBMemo::showField);
    connect(this, &QPlainTextEdit::textChanged, this, &TDBMemo::textTyped);
    showField();
}

void TDBMemo::showField() {
    setReadOnly(!m_link.canModify());
    if (m_link.modified())
        return;
    const QString value = fromColumn(m_link.text());
    if (value == toPlainText())
        return;
    m_showing = true;
    setPlainText(value);
    m_showing = false;
}

void TDBMemo::textTyped() {
    if (!m_showing)
        m_link.userEdited();
}

void TDBMemo::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_link.reset();
        selectAll();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TDBMemo::focusOutEvent(QFocusEvent *event) {
    QPlainTextEdit::focusOutEvent(event);
    if (leavesControl(event) && !m_link.commit(toColumn(toPlainText()), this))
        selectAll();
}

} // namespace varnok
