#include "tests/printing/previewcloser.h"

#include "printing/preview.h"

#include <QApplication>

namespace varnok::test {

PreviewCloser::PreviewCloser() {
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &PreviewCloser::poll);
    m_timer.start();
}

void PreviewCloser::poll() {
    auto *w = qobject_cast<printing::PreviewWindow *>(QApplication::activeModalWidget());
    if (!w || w == m_last)
        return;
    m_last = w;
    ++shown;
    pages = w->pageCount();
    cursorWhileShown = QGuiApplication::overrideCursor() != nullptr;
    if (whileShown)
        whileShown();
    w->accept();
}

} // namespace varnok::test
