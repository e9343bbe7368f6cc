// The design hot key under a real X server (test.sh starts Xvfb and names
// it in VARNOK05_TEST_DISPLAY); skipped without one.
#include "app/hotkey.h"
#include "common/error.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <gtest/gtest.h>

#include <xcb/xcb.h>

using namespace varnok;

namespace {

bool haveDisplay() { return !qEnvironmentVariableIsEmpty("VARNOK05_TEST_DISPLAY"); }

template <class F> bool waitFor(F condition, int ms = 5000) {
    QElapsedTimer t;
    t.start();
    while (!condition() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

} // namespace

TEST(HotKeyX11, CombinationArrivesOnTheUserInterfaceThread) {
    if (!haveDisplay())
        GTEST_SKIP() << "no X server (VARNOK05_TEST_DISPLAY)";
    GlobalHotKey key;
    int pressed = 0;
    key.setKey(QStringLiteral("Shift+Ctrl+F10"));
    key.setHandler([&] { ++pressed; });
    key.setActive(true);
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("shift+ctrl+F10")}), 0);
    EXPECT_TRUE(waitFor([&] { return pressed == 1; }));
    // Another combination does not count.
    QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("ctrl+F10")});
    waitFor([] { return false; }, 300);
    EXPECT_EQ(pressed, 1);
    key.setActive(false);
    QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("shift+ctrl+F10")});
    waitFor([] { return false; }, 300);
    EXPECT_EQ(pressed, 1) << "released keys are not delivered";
}

TEST(HotKeyX11, CombinationHeldByAnotherProgramIsRefused) {
    if (!haveDisplay())
        GTEST_SKIP() << "no X server (VARNOK05_TEST_DISPLAY)";
    // Another client (as a second copy started with /edit) holds the key.
    xcb_connection_t *other = xcb_connect(qgetenv("DISPLAY").constData(), nullptr);
    ASSERT_FALSE(xcb_connection_has_error(other));
    const xcb_setup_t *setup = xcb_get_setup(other);
    const xcb_window_t root = xcb_setup_roots_iterator(setup).data->root;
    // Every key with Shift+Ctrl, F10 among them.
    xcb_void_cookie_t c = xcb_grab_key_checked(other, 1, root, XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL, XCB_GRAB_ANY,
                                               XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    ASSERT_EQ(xcb_request_check(other, c), nullptr);
    GlobalHotKey key;
    key.setKey(QStringLiteral("Shift+Ctrl+F10"));
    try {
        key.setActive(true);
        FAIL() << "the grab of another program was overridden";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("System Error.  Code: 10.\n"))) << e.message().toStdString();
    }
    EXPECT_FALSE(key.active());
    xcb_disconnect(other);
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
