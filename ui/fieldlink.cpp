#include "ui/fieldlink.h"

#include "common/error.h"
#include "records/query.h"
#include "ui/guard.h"

#include <QWidget>

namespace varnok {

FieldLink::FieldLink(QObject *parent) : QObject(parent) {}

void FieldLink::setDataSource(ZQuery *query) {
    if (m_query)
        disconnect(m_query, nullptr, this, nullptr);
    m_query = query;
    if (m_query) {
        connect(m_query, &ZQuery::dataReset, this, &FieldLink::datasetReset);
        connect(m_query, &ZQuery::fieldChanged, this, &FieldLink::columnWritten);
        connect(m_query, &ZQuery::stateChanged, this, &FieldLink::refresh);
    }
    datasetReset();
}

void FieldLink::setDataField(const QString &column) {
    m_column = column;
    datasetReset();
}

void FieldLink::setReadOnly(bool readOnly) {
    m_readOnly = readOnly;
    emit refresh();
}

ZField *FieldLink::field() const {
    if (!m_query || !m_query->active() || m_column.isEmpty())
        return nullptr;
    return m_query->findField(m_column);
}

bool FieldLink::active() const { return field() != nullptr; }

bool FieldLink::isNumeric() const {
    const ZField *f = field();
    return f && f->isNumeric();
}

bool FieldLink::canModify() const { return !m_readOnly && field() != nullptr; }

QString FieldLink::text() const {
    const ZField *f = field();
    return f ? f->asString() : QString();
}

void FieldLink::userEdited() {
    m_modified = true;
    if (!canModify() || m_query->state() == DataSetState::Edit || m_query->state() == DataSetState::Insert)
        return;
    // On a result without a row this starts a new one, which resets every
    // control; the one being typed into keeps its text.
    m_startingEdit = true;
    guarded([this] { m_query->edit(); });
    m_startingEdit = false;
}

bool FieldLink::commit(const QString &text, QWidget *control) {
    if (!m_modified)
        return true;
    ZField *f = field();
    if (!f || m_readOnly) {
        reset();
        return true;
    }
    // Cleared first: the write below makes the control show the stored
    // value, formatted as the column formats it.
    m_modified = false;
    try {
        m_query->edit();
        f->setAsString(text);
    } catch (const Error &e) {
        m_modified = true;
        showErrorBox(e.message());
        // The window becomes active again once the error box is gone;
        // the focus stays in the field.
        control->setFocus(Qt::OtherFocusReason);
        control->window()->activateWindow();
        return false;
    }
    return true;
}

void FieldLink::reset() {
    m_modified = false;
    emit refresh();
}

void FieldLink::columnWritten(int index) {
    const ZField *f = field();
    if (f && &m_query->field(index) == f)
        reset();
}

void FieldLink::datasetReset() {
    if (m_startingEdit && m_modified)
        return;
    reset();
}

} // namespace varnok
