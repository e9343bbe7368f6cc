#include "printing/exports/exportprogress.h"

#include <QApplication>
#include <QProgressDialog>

namespace varnok::exports {

QWidget *dialogParent() {
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

ExportProgress::ExportProgress(bool show, const QString &label) {
    if (!show)
        return;
    m_dialog =
        std::make_unique<QProgressDialog>(label, QStringLiteral("Storno"), 0, 100, dialogParent());
    m_dialog->setObjectName(QStringLiteral("exportProgress"));
    m_dialog->setWindowTitle(QStringLiteral("Export"));
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(0);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setValue(0);
}

ExportProgress::~ExportProgress() = default;

bool ExportProgress::step(qint64 done, qint64 total) {
    if (!m_dialog)
        return true;
    if (total > 0)
        m_dialog->setValue(int(qBound(qint64(0), done * 100 / total, qint64(100))));
    QApplication::processEvents();
    return !m_dialog->wasCanceled();
}

} // namespace varnok::exports
