#pragma once

#include <QChar>
#include <QString>

namespace varnok {

// The process-wide decimal separator: it governs every conversion between
// fractions and text, the bound fields included. The window sets "," when
// it is first shown.
QChar decimalSeparator();
void setDecimalSeparator(QChar separator);

// A double as text with the separator in force: up to 15 significant
// digits, no exponent for ordinary amounts, no trailing zeros.
QString formatFloat(double value);

// Parses a decimal text written with the separator in force (a point is
// also accepted), with an optional exponent. Returns false on bad text.
bool parseFloat(const QString &text, double *value);

} // namespace varnok
