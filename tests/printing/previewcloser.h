#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>

namespace varnok::printing {
class PreviewWindow;
}

namespace varnok::test {

// Closes every print preview as soon as it is up, counting them, the way a
// user would after looking. While one is up it may run something (a
// second click on the print button, say).
class PreviewCloser : public QObject {
public:
    PreviewCloser();

    int shown = 0;
    int pages = 0;                 // of the last preview
    bool cursorWhileShown = false; // an override cursor was up meanwhile
    std::function<void()> whileShown;

private:
    void poll();
    QTimer m_timer;
    QPointer<printing::PreviewWindow> m_last; // cleared when it goes
};

} // namespace varnok::test
