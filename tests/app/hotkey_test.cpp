// The design hot key where the platform has no system-wide keys (the
// tests' offscreen platform): registering is refused with a system error.
#include "app/hotkey.h"
#include "common/error.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

using namespace varnok;

TEST(HotKey, RefusedWithoutSystemWideKeys) {
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    GlobalHotKey key;
    bool pressed = false;
    key.setKey(QStringLiteral("Shift+Ctrl+F10"));
    key.setHandler([&] { pressed = true; });
    try {
        key.setActive(true);
        FAIL() << "registered on the offscreen platform";
    } catch (const Error &e) {
        EXPECT_EQ(e.message(),
                  QStringLiteral("System Error.  Code: 50.\nGlobální klávesové zkratky "
                                 "nejsou na této platformě (offscreen) k dispozici."));
    }
    EXPECT_FALSE(key.active());
    key.setActive(false); // switching off what never came on is harmless
    EXPECT_FALSE(pressed);
}
