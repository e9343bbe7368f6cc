#include "texts/splitfield.h"

namespace varnok {

QString SplitField(const QString &text, QChar separator, int k) {
    QString result;
    int count = 0;
    for (qsizetype i = 0; count <= k && i < text.size(); ++i) {
        if (text.at(i) == separator)
            ++count;
        else if (count == k)
            result += text.at(i);
    }
    return result;
}

} // namespace varnok
