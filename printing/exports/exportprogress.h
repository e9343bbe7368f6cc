#pragma once

#include <QString>
#include <memory>

class QProgressDialog;
class QWidget;

namespace varnok::exports {

// The window an export's dialogs belong to: the modal preview it was
// chosen from, else the active window.
QWidget *dialogParent();

// The progress window of an export; it lets the windows repaint between
// steps and offers "Storno".
class ExportProgress {
public:
    ExportProgress(bool show, const QString &label);
    ~ExportProgress();
    ExportProgress(const ExportProgress &) = delete;
    ExportProgress &operator=(const ExportProgress &) = delete;

    // False once the user has cancelled.
    bool step(qint64 done, qint64 total);

private:
    std::unique_ptr<QProgressDialog> m_dialog;
};

} // namespace varnok::exports
