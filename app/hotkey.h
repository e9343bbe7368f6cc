#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

namespace varnok {

// What a platform offers for one system-wide hot key.
class HotKeyBackend {
public:
    virtual ~HotKeyBackend() = default;
    // Registers modifiers + key (Qt's codes); throws varnok::Error
    // "System Error.  Code: %d." with the system's text when refused.
    virtual void grab(Qt::KeyboardModifiers modifiers, Qt::Key key,
                      std::function<void()> pressed) = 0;
    virtual void release() = 0;
};

// The design hot key (tdGlobalHotKeys1): one key combination, registered
// with the system while active, delivered on the user-interface thread.
class GlobalHotKey : public QObject {
    Q_OBJECT
public:
    explicit GlobalHotKey(QObject *parent = nullptr);
    ~GlobalHotKey() override;

    void setKey(const QString &combination); // e.g. "Shift+Ctrl+F10"
    void setHandler(std::function<void()> handler) { m_handler = std::move(handler); }
    // Switching on registers the combination; throws when refused.
    void setActive(bool active);
    bool active() const { return m_active; }

private:
    std::unique_ptr<HotKeyBackend> m_backend;
    QString m_key;
    std::function<void()> m_handler;
    bool m_active = false;
};

// The backend of the running platform (X11, or one that refuses).
std::unique_ptr<HotKeyBackend> createHotKeyBackend();

// "System Error.  Code: %d." and the system's text on the next line.
QString systemErrorMessage(int code, const QString &text);

} // namespace varnok
