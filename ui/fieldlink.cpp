#include "ui/fieldlink.h"

#include "common/error.h"
#include "records/query.h"
#include "ui/guard.h"

#include <QTabWidget>
#include <QTimer>
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

ZQuery *FieldLink::dataSource() const {
    return m_query;
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

bool FieldLink::active() const {
    return field() != nullptr;
}

bool FieldLink::isNumeric() const {
    const ZField *f = field();
    return f && f->isNumeric();
}

bool FieldLink::canModify() const {
    return !m_readOnly && field() != nullptr;
}

QString FieldLink::text() const {
    const ZField *f = field();
    return f ? f->asString() : QString();
}

void FieldLink::userEdited() {
    m_modified = true;
    if (!canModify() || m_query->state() == DataSetState::Edit ||
        m_query->state() == DataSetState::Insert)
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
        // While the focus is being put back, a second attempt (the field
        // leaving again as its page is hidden) is not reported twice.
        if (!m_keepingFocus)
            showErrorBox(e.message());
        keepFocus(control);
        return false;
    }
    return true;
}

namespace {

// Brings the page that holds the control to the front.
void showPageOf(QWidget *control) {
    for (QWidget *w = control; w && w->parentWidget(); w = w->parentWidget())
        if (auto *pages = qobject_cast<QTabWidget *>(w->parentWidget()->parentWidget());
            pages && pages->indexOf(w) >= 0)
            pages->setCurrentWidget(w);
}

void focusInActiveWindow(QWidget *control) {
    control->setFocus(Qt::OtherFocusReason);
    // The window becomes active again once the error box is gone.
    control->window()->activateWindow();
}

} // namespace

void FieldLink::keepFocus(QWidget *control) {
    focusInActiveWindow(control);
    if (m_keepingFocus)
        return;
    // The focus may still be moving on (a page being switched hides the
    // field): once that is over, the field's page and the field come back.
    m_keepingFocus = true;
    QTimer::singleShot(0, control, [this, control] {
        m_keepingFocus = false;
        if (control->window()->focusWidget() != control || !control->isVisible()) {
            showPageOf(control);
            focusInActiveWindow(control);
        }
    });
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
