// System-wide hot keys on X11: a key grab on the root window through XCB,
// delivered by a native event filter on the user-interface thread.
#include "app/hotkey.h"

#include "common/error.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>

#include <xcb/xcb.h>

namespace varnok {

namespace {

// Windows' "not supported": the platform offers no system-wide keys.
constexpr int kNotSupported = 50;
constexpr xcb_keysym_t kNumLockSym = 0xff7f; // XK_Num_Lock

class RefusingBackend : public HotKeyBackend {
public:
    void grab(Qt::KeyboardModifiers, Qt::Key, std::function<void()>) override {
        throw Error(systemErrorMessage(
            kNotSupported,
            QStringLiteral("Globální klávesové zkratky nejsou na této platformě (%1) "
                           "k dispozici.")
                .arg(QGuiApplication::platformName())));
    }
    void release() override {}
};

xcb_keysym_t keysymOf(Qt::Key key) {
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return 0xffbe + (key - Qt::Key_F1); // XK_F1
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 'a' + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return '0' + (key - Qt::Key_0);
    return 0;
}

class X11Backend : public HotKeyBackend, public QAbstractNativeEventFilter {
public:
    X11Backend(xcb_connection_t *c, xcb_window_t root) : m_c(c), m_root(root) {}
    ~X11Backend() override { release(); }

    void grab(Qt::KeyboardModifiers modifiers, Qt::Key key,
              std::function<void()> pressed) override {
        release();
        m_keycode = keycodeOf(keysymOf(key));
        if (!m_keycode)
            throw Error(
                systemErrorMessage(kNotSupported, QStringLiteral("Klávesu nelze zaregistrovat.")));
        m_mods = 0;
        if (modifiers & Qt::ShiftModifier)
            m_mods |= XCB_MOD_MASK_SHIFT;
        if (modifiers & Qt::ControlModifier)
            m_mods |= XCB_MOD_MASK_CONTROL;
        if (modifiers & Qt::AltModifier)
            m_mods |= XCB_MOD_MASK_1;
        if (modifiers & Qt::MetaModifier)
            m_mods |= XCB_MOD_MASK_4;
        // The grab matches the modifiers exactly, so the combination is also
        // grabbed with NumLock and CapsLock on.
        const uint16_t numLock = numLockMask();
        m_ignored = uint16_t(numLock | XCB_MOD_MASK_LOCK);
        for (uint16_t extra : {uint16_t(0), numLock, uint16_t(XCB_MOD_MASK_LOCK), m_ignored}) {
            xcb_void_cookie_t cookie =
                xcb_grab_key_checked(m_c, 1, m_root, m_mods | extra, m_keycode, XCB_GRAB_MODE_ASYNC,
                                     XCB_GRAB_MODE_ASYNC);
            if (xcb_generic_error_t *e = xcb_request_check(m_c, cookie)) {
                const int code = e->error_code;
                free(e);
                release();
                throw Error(systemErrorMessage(
                    code, code == XCB_ACCESS
                              ? QStringLiteral("Klávesovou zkratku již používá jiný program.")
                              : QStringLiteral("Klávesovou zkratku nelze zaregistrovat.")));
            }
            m_grabbed.push_back(m_mods | extra);
        }
        m_pressed = std::move(pressed);
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    void release() override {
        // Without the application its X connection is gone, and the server
        // dropped the grabs with it.
        if (!QCoreApplication::instance()) {
            m_grabbed.clear();
            return;
        }
        QCoreApplication::instance()->removeNativeEventFilter(this);
        for (uint16_t mods : m_grabbed)
            xcb_ungrab_key(m_c, m_keycode, m_root, mods);
        if (!m_grabbed.empty())
            xcb_flush(m_c);
        m_grabbed.clear();
    }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override {
        if (type != "xcb_generic_event_t")
            return false;
        auto *ev = static_cast<xcb_generic_event_t *>(message);
        if ((ev->response_type & 0x7f) != XCB_KEY_PRESS)
            return false;
        auto *key = reinterpret_cast<xcb_key_press_event_t *>(ev);
        // Modifier bits only (the state also carries mouse buttons), without
        // the locks the grab ignores.
        const uint16_t mods = key->state & 0xff & ~m_ignored;
        if (key->detail != m_keycode || mods != m_mods)
            return false;
        if (m_pressed)
            m_pressed();
        return true;
    }

private:
    // The modifier that NumLock sets: usually Mod2, but the keyboard
    // mapping decides.
    uint16_t numLockMask() {
        const xcb_keycode_t numLock = keycodeOf(kNumLockSym);
        uint16_t mask = 0;
        xcb_get_modifier_mapping_reply_t *reply =
            xcb_get_modifier_mapping_reply(m_c, xcb_get_modifier_mapping(m_c), nullptr);
        if (!reply)
            return XCB_MOD_MASK_2;
        const xcb_keycode_t *codes = xcb_get_modifier_mapping_keycodes(reply);
        const int perModifier = reply->keycodes_per_modifier;
        for (int mod = 0; mod < 8 && numLock && !mask; ++mod)
            for (int i = 0; i < perModifier; ++i)
                if (codes[mod * perModifier + i] == numLock) {
                    mask = uint16_t(1u << mod);
                    break;
                }
        free(reply);
        return mask ? mask : uint16_t(XCB_MOD_MASK_2);
    }

    xcb_keycode_t keycodeOf(xcb_keysym_t sym) {
        if (!sym)
            return 0;
        const xcb_setup_t *setup = xcb_get_setup(m_c);
        const xcb_keycode_t first = setup->min_keycode, last = setup->max_keycode;
        xcb_get_keyboard_mapping_reply_t *reply = xcb_get_keyboard_mapping_reply(
            m_c, xcb_get_keyboard_mapping(m_c, first, uint8_t(last - first + 1)), nullptr);
        if (!reply)
            return 0;
        const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(reply);
        const int per = reply->keysyms_per_keycode;
        xcb_keycode_t found = 0;
        for (int k = 0; k <= last - first && !found; ++k)
            for (int j = 0; j < per; ++j)
                if (syms[k * per + j] == sym) {
                    found = xcb_keycode_t(first + k);
                    break;
                }
        free(reply);
        return found;
    }

    xcb_connection_t *m_c;
    xcb_window_t m_root;
    xcb_keycode_t m_keycode = 0;
    uint16_t m_mods = 0;
    uint16_t m_ignored = XCB_MOD_MASK_2 | XCB_MOD_MASK_LOCK;
    std::vector<uint16_t> m_grabbed;
    std::function<void()> m_pressed;
};

} // namespace

std::unique_ptr<HotKeyBackend> createHotKeyBackend() {
    // Only the xcb platform has a real X connection (the offscreen platform
    // may offer the interface without one).
    auto *x11 = qGuiApp && QGuiApplication::platformName() == QStringLiteral("xcb")
                    ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                    : nullptr;
    if (xcb_connection_t *c = x11 ? x11->connection() : nullptr) {
        if (const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data)
            return std::make_unique<X11Backend>(c, screen->root);
    }
    return std::make_unique<RefusingBackend>();
}

} // namespace varnok
