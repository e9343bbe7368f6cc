#include "common/codepage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace varnok::cp1250 {

namespace {
constexpr const char *kName = "windows-1250";
}

QString decode(const QByteArray &bytes) {
    QStringDecoder decoder(kName);
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

bool encode(const QString &text, QByteArray *out, QChar *refused) {
    QStringEncoder encoder(kName);
    QByteArray bytes = encoder.encode(text);
    // The converter substitutes what it cannot map; a round trip reveals it.
    const QString back = decode(bytes);
    if (back != text) {
        const qsizetype n = qMin(back.size(), text.size());
        qsizetype i = 0;
        while (i < n && back.at(i) == text.at(i))
            ++i;
        if (refused)
            *refused = i < text.size() ? text.at(i) : QChar();
        return false;
    }
    if (out)
        *out = std::move(bytes);
    return true;
}

QByteArray encodeLossy(const QString &text) {
    QStringEncoder encoder(kName);
    return encoder.encode(text);
}

} // namespace varnok::cp1250
