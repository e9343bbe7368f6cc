#pragma once

#include <QByteArray>
#include <QString>

namespace varnok::cp1250 {

// Text leaves the program (server, texty.txt, ini files) in Windows-1250.
QString decode(const QByteArray &bytes);

// Encodes text; returns false and the first character that Windows-1250
// cannot hold when the text cannot be stored without loss.
bool encode(const QString &text, QByteArray *out, QChar *refused = nullptr);

// Encodes text, replacing what cannot be held by '?'. Only for log output.
QByteArray encodeLossy(const QString &text);

} // namespace varnok::cp1250
