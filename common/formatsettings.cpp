#include "common/formatsettings.h"

#include <cmath>

namespace varnok {

namespace {
QChar g_separator = u'.';
}

QChar decimalSeparator() {
    return g_separator;
}
void setDecimalSeparator(QChar separator) {
    g_separator = separator;
}

QString formatFloat(double value) {
    if (value == 0)
        return QStringLiteral("0");
    QString text;
    if (std::fabs(value) < 1e15 && std::fabs(value) >= 1e-4)
        text = QString::number(value, 'f',
                               15 - qMax(0, int(std::floor(std::log10(std::fabs(value)))) + 1));
    else
        text = QString::number(value, 'g', 15);
    if (text.contains(u'.') && !text.contains(u'e')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    text.replace(u'.', g_separator);
    return text;
}

bool parseFloat(const QString &text, double *value) {
    QString t = text.trimmed();
    if (g_separator != u'.')
        t.replace(g_separator, u'.');
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || t.isEmpty() || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

} // namespace varnok
