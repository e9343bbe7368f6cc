// The design hot key under a real X server (test.sh starts Xvfb and names
// it in VARNOK05_TEST_DISPLAY); skipped without one.
#include "app/hotkey.h"
#include "common/error.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

#include <xcb/xcb.h>

using namespace varnok;

namespace {

bool haveDisplay() {
    return !qEnvironmentVariableIsEmpty("VARNOK05_TEST_DISPLAY");
}

// Processes events until the condition holds; the limit only keeps a broken
// build from hanging, it measures nothing.
template <class F> bool waitFor(F condition, int ms = 30000) {
    QElapsedTimer t;
    t.start();
    while (!condition() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

void press(const char *keys) {
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"),
                                {QStringLiteral("key"), QString::fromLatin1(keys)}),
              0)
        << keys;
}

// A second X client, as another program or a second copy started with /edit.
class OtherClient {
public:
    OtherClient() : m_c(xcb_connect(qgetenv("DISPLAY").constData(), nullptr)) {
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;
    }
    ~OtherClient() { xcb_disconnect(m_c); }
    bool ok() const { return !xcb_connection_has_error(m_c); }

    // Grabs Shift+Ctrl with the given key (XCB_GRAB_ANY: every key);
    // returns the X error code, 0 when granted.
    int grab(xcb_keycode_t key) {
        xcb_void_cookie_t c =
            xcb_grab_key_checked(m_c, 1, m_root, XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL, key,
                                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        xcb_generic_error_t *e = xcb_request_check(m_c, c);
        const int code = e ? e->error_code : 0;
        free(e);
        return code;
    }

    bool receivedKeyPress() {
        while (xcb_generic_event_t *ev = xcb_poll_for_event(m_c)) {
            const bool key = (ev->response_type & 0x7f) == XCB_KEY_PRESS;
            free(ev);
            if (key)
                return true;
        }
        return false;
    }

private:
    xcb_connection_t *m_c;
    xcb_window_t m_root;
};

} // namespace

TEST(HotKeyX11, CombinationArrivesOnTheUserInterfaceThread) {
    if (!haveDisplay())
        GTEST_SKIP() << "no X server (VARNOK05_TEST_DISPLAY)";
    GlobalHotKey key;
    int pressed = 0;
    key.setKey(QStringLiteral("Shift+Ctrl+F10"));
    key.setHandler([&] {
        EXPECT_EQ(QThread::currentThread(), qApp->thread());
        ++pressed;
    });
    key.setActive(true);
    ASSERT_TRUE(key.active());
    press("shift+ctrl+F10");
    EXPECT_TRUE(waitFor([&] { return pressed == 1; }));

    // Other combinations do not count; X keeps the order of the keys, so
    // once the last press has arrived the others have been seen.
    press("ctrl+F10");
    press("shift+ctrl+alt+F10");
    press("shift+ctrl+F9");
    press("shift+ctrl+F10");
    EXPECT_TRUE(waitFor([&] { return pressed >= 2; }));
    EXPECT_EQ(pressed, 2);

    // NumLock and CapsLock on do not hide the combination.
    for (const char *lock : {"Num_Lock", "Caps_Lock"}) {
        press(lock);
        press("shift+ctrl+F10");
        press(lock);
    }
    EXPECT_TRUE(waitFor([&] { return pressed >= 4; }));
    EXPECT_EQ(pressed, 4);

    // Switched off, the key is free for another program, and nothing more
    // reaches the handler.
    key.setActive(false);
    OtherClient other;
    ASSERT_TRUE(other.ok());
    ASSERT_EQ(other.grab(XCB_GRAB_ANY), 0) << "the grab was not released";
    press("shift+ctrl+F10");
    bool otherGotIt = false;
    EXPECT_TRUE(waitFor([&] { return otherGotIt = otherGotIt || other.receivedKeyPress(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(pressed, 4);
}

TEST(HotKeyX11, CombinationHeldByAnotherProgramIsRefused) {
    if (!haveDisplay())
        GTEST_SKIP() << "no X server (VARNOK05_TEST_DISPLAY)";
    OtherClient other;
    ASSERT_TRUE(other.ok());
    ASSERT_EQ(other.grab(XCB_GRAB_ANY), 0);
    GlobalHotKey key;
    key.setKey(QStringLiteral("Shift+Ctrl+F10"));
    try {
        key.setActive(true);
        FAIL() << "the grab of another program was overridden";
    } catch (const Error &e) {
        EXPECT_EQ(e.message(),
                  QStringLiteral(
                      "System Error.  Code: 10.\nKlávesovou zkratku již používá jiný program."));
    }
    EXPECT_FALSE(key.active());
}

int main(int argc, char **argv) {
    if (haveDisplay()) {
        qputenv("DISPLAY", qgetenv("VARNOK05_TEST_DISPLAY"));
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
