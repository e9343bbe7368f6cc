#include "printing/designer/designdocument.h"

#include "printing/report.h"

#include <QUndoCommand>
#include <QUndoStack>
#include <algorithm>

namespace varnok::designer {

namespace {

// An undo step between two complete states.
class SnapshotCommand : public QUndoCommand {
public:
    SnapshotCommand(DesignDocument &doc, const QString &text, DesignState before, DesignState after,
                    int mergeId)
        : QUndoCommand(text), m_doc(doc), m_before(std::move(before)), m_after(std::move(after)),
          m_mergeId(mergeId) {}

    void undo() override { m_doc.restore(m_before); }
    void redo() override {
        // The first redo happens on push, when the document already shows
        // the new state.
        if (m_pushed)
            m_doc.restore(m_after);
        m_pushed = true;
    }
    int id() const override { return m_mergeId; }
    bool mergeWith(const QUndoCommand *other) override {
        const auto *o = static_cast<const SnapshotCommand *>(other);
        // Only a repeat on the same objects continues the step.
        if (o->m_mergeId != m_mergeId || o->m_before.page != m_after.page ||
            o->m_before.selection != m_after.selection)
            return false;
        m_after = o->m_after;
        return true;
    }

private:
    DesignDocument &m_doc;
    DesignState m_before, m_after;
    int m_mergeId;
    bool m_pushed = false;
};

// A report without pages gets one: A4 portrait with 10 mm margins.
void ensurePage(report::Template &t) {
    if (t.pages.empty()) {
        report::Page page;
        page.name = QStringLiteral("Page1");
        t.pages.push_back(page);
    }
}

} // namespace

DesignDocument::DesignDocument(report::Report &report, QObject *parent)
    : QObject(parent), m_report(report), m_undo(new QUndoStack(this)) {
    ensurePage(m_report.templ());
    m_undo->setClean();
}

const report::Template &DesignDocument::templ() const {
    return m_report.templ();
}

report::Template &DesignDocument::mutableTempl() {
    return m_report.templ();
}

const report::Page &DesignDocument::page() const {
    return templ().pages[size_t(m_page)];
}

void DesignDocument::setPageIndex(int page) {
    page = qBound(0, page, int(templ().pages.size()) - 1);
    if (page == m_page)
        return;
    m_page = page;
    m_selection.clear();
    emit pageChanged();
    emit selectionChanged();
}

void DesignDocument::setSelection(std::vector<int> selection) {
    std::sort(selection.begin(), selection.end());
    selection.erase(std::unique(selection.begin(), selection.end()), selection.end());
    if (selection == m_selection)
        return;
    m_selection = std::move(selection);
    normalizeSelection();
    emit selectionChanged();
}

void DesignDocument::normalizeSelection() {
    const int count = int(page().objects.size());
    m_selection.erase(std::remove_if(m_selection.begin(), m_selection.end(),
                                     [count](int i) { return i < 0 || i >= count; }),
                      m_selection.end());
}

bool DesignDocument::isSelected(int index) const {
    return std::binary_search(m_selection.begin(), m_selection.end(), index);
}

const report::ReportObject *DesignDocument::object(int index) const {
    const auto &objects = page().objects;
    return index >= 0 && index < int(objects.size()) ? &objects[size_t(index)] : nullptr;
}

bool DesignDocument::isModified() const {
    return !m_undo->isClean();
}

DesignState DesignDocument::state() const {
    return {templ(), m_page, m_selection};
}

void DesignDocument::restore(const DesignState &s) {
    const bool pageSwitched = s.page != m_page;
    mutableTempl() = s.templ;
    ensurePage(mutableTempl());
    m_page = qBound(0, s.page, int(templ().pages.size()) - 1);
    m_selection = s.selection;
    normalizeSelection();
    if (pageSwitched)
        emit pageChanged();
    emit changed();
    emit selectionChanged();
}

void DesignDocument::change(const QString &text, const std::function<void(DesignState &)> &edit,
                            int mergeId) {
    DesignState before = state();
    DesignState after = before;
    edit(after);
    if (after.templ == before.templ && after.page == before.page)
        return; // nothing to undo
    restore(after);
    m_undo->push(new SnapshotCommand(*this, text, std::move(before), std::move(after), mergeId));
}

void DesignDocument::beginLive() {
    m_liveBase = std::make_unique<DesignState>(state());
}

void DesignDocument::live(const std::function<void(DesignState &)> &edit) {
    if (!m_liveBase)
        return;
    DesignState s = *m_liveBase;
    edit(s);
    restore(s);
}

void DesignDocument::commitLive(const QString &text) {
    if (!m_liveBase)
        return;
    DesignState before = std::move(*m_liveBase);
    m_liveBase.reset();
    DesignState after = state();
    if (after.templ == before.templ)
        return;
    m_undo->push(new SnapshotCommand(*this, text, std::move(before), std::move(after), -1));
}

void DesignDocument::cancelLive() {
    if (!m_liveBase)
        return;
    const DesignState base = std::move(*m_liveBase);
    m_liveBase.reset();
    restore(base);
}

void DesignDocument::save(const QString &path) {
    m_report.saveToFile(path);
    m_undo->setClean();
}

} // namespace varnok::designer
