#include "common/error.h"

namespace varnok {

Error::Error(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}

int toIntOrThrow(const QString &text) {
    // The legacy conversion accepts surrounding blanks only at the start and
    // a leading sign; anything else is not a whole number.
    QString t = text;
    while (!t.isEmpty() && t.front() == u' ')
        t.remove(0, 1);
    bool ok = false;
    const int value = t.toInt(&ok, 10);
    if (!ok || t.isEmpty())
        throw Error(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

} // namespace varnok
