#pragma once

#include <QChar>
#include <QString>

namespace varnok {

// Field k (counted from 0) of a text split at one separator character.
// Consecutive separators delimit an empty field; a field beyond the last
// separator is empty; nothing is trimmed.
QString SplitField(const QString &text, QChar separator, int k);

} // namespace varnok
