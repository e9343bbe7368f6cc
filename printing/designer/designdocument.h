#pragma once

#include "printing/template.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QUndoStack;

namespace varnok::report {
class Report;
}

namespace varnok::designer {

// What one undo step restores: the whole template with the page shown and
// the selection on it. A template is a few hundred small objects, so a
// copy per step keeps every edit undoable without a command per kind.
struct DesignState {
    report::Template templ;
    int page = 0;
    std::vector<int> selection;
};

// The report being designed: edits the report's template in place (the
// designer works on the report the print command loaded), keeps the page
// shown, the selection and the undo history.
class DesignDocument : public QObject {
    Q_OBJECT
public:
    explicit DesignDocument(report::Report &report, QObject *parent = nullptr);

    report::Report &report() { return m_report; }
    const report::Template &templ() const;

    int pageIndex() const { return m_page; }
    void setPageIndex(int page);
    const report::Page &page() const;

    // Indices into the current page's objects, ascending.
    const std::vector<int> &selection() const { return m_selection; }
    void setSelection(std::vector<int> selection);
    bool isSelected(int index) const;
    const report::ReportObject *object(int index) const;

    QUndoStack *undoStack() const { return m_undo; }
    bool isModified() const;

    // One undoable step: edit changes the template (and may choose the
    // page and selection through the state). Steps with the same mergeId
    // pushed one after another undo together (-1: never merge).
    void change(const QString &text, const std::function<void(DesignState &)> &edit,
                int mergeId = -1);

    // A mouse drag: begin keeps the state, live edits apply at once so the
    // page follows the mouse, commit makes one undo step of it all and
    // cancel puts the state back.
    void beginLive();
    void live(const std::function<void(DesignState &)> &edit);
    void commitLive(const QString &text);
    void cancelLive();
    bool isLive() const { return m_liveBase != nullptr; }

    // Writes the report, its variables with their current values
    // included. Throws varnok::Error.
    void save(const QString &path);

    DesignState state() const;
    void restore(const DesignState &state);

signals:
    void changed();          // objects or page settings changed
    void selectionChanged(); // also sent on page switches
    void pageChanged();

private:
    report::Template &mutableTempl();
    void normalizeSelection();

    report::Report &m_report;
    int m_page = 0;
    std::vector<int> m_selection;
    QUndoStack *m_undo;
    std::unique_ptr<DesignState> m_liveBase;
};

} // namespace varnok::designer
