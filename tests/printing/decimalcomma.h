#pragma once

#include "common/formatsettings.h"

namespace varnok::test {

// The decimal comma the window sets, for the life of the object; the
// separator in force before comes back afterwards.
class DecimalComma {
public:
    DecimalComma() : m_before(decimalSeparator()) { setDecimalSeparator(u','); }
    ~DecimalComma() { setDecimalSeparator(m_before); }
    DecimalComma(const DecimalComma &) = delete;
    DecimalComma &operator=(const DecimalComma &) = delete;

private:
    QChar m_before;
};

} // namespace varnok::test
