#include "app/hotkey.h"

#include "common/error.h"

#include <QKeySequence>

namespace varnok {

QString systemErrorMessage(int code, const QString &text) {
    return QStringLiteral("System Error.  Code: %1.\n%2").arg(code).arg(text);
}

GlobalHotKey::GlobalHotKey(QObject *parent) : QObject(parent) {}

GlobalHotKey::~GlobalHotKey() {
    if (m_backend)
        m_backend->release();
}

void GlobalHotKey::setKey(const QString &combination) {
    m_key = combination;
}

void GlobalHotKey::setActive(bool active) {
    if (active == m_active)
        return;
    if (!active) {
        if (m_backend)
            m_backend->release();
        m_active = false;
        return;
    }
    const QKeySequence sequence = QKeySequence::fromString(m_key, QKeySequence::PortableText);
    if (sequence.isEmpty())
        throw Error(QStringLiteral("Neplatná klávesová zkratka: %1").arg(m_key));
    const QKeyCombination combo = sequence[0];
    if (!m_backend)
        m_backend = createHotKeyBackend();
    m_backend->grab(combo.keyboardModifiers(), combo.key(), [this] {
        if (m_handler)
            m_handler();
    });
    m_active = true;
}

} // namespace varnok
