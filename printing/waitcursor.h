#pragma once

namespace varnok {

// The hourglass over all of the program's windows, with a nesting count.
// Starting it at count 0 saves the current cursor and shows the
// hourglass; stopping it at count 1 restores the saved cursor; stopping at
// count 0 does nothing.
class WaitCursor {
public:
    static void start();
    static void stop();
    static int count();
};

// Starts the wait cursor and stops it again when the scope ends, unless
// it was stopped explicitly before.
class WaitCursorScope {
public:
    WaitCursorScope() { WaitCursor::start(); }
    ~WaitCursorScope() { stop(); }
    void stop() {
        if (m_running) {
            m_running = false;
            WaitCursor::stop();
        }
    }
    WaitCursorScope(const WaitCursorScope &) = delete;
    WaitCursorScope &operator=(const WaitCursorScope &) = delete;

private:
    bool m_running = true;
};

} // namespace varnok
