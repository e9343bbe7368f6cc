#include "texts/textfile.h"

#include "common/codepage.h"
#include "common/error.h"
#include "texts/splitfield.h"

#include <QFile>
#include <QFileInfo>

namespace varnok {

QStringList readTextLines(const QString &fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Cannot open file \"%1\". %2")
                        .arg(QFileInfo(fileName).absoluteFilePath(), file.errorString()));
    QByteArray bytes = file.readAll();
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    const QString text = cp1250::decode(bytes);

    QStringList lines;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines << current;
            current.clear();
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else {
            current += c;
        }
    }
    // The end of the file ends the last line; a final break adds none.
    if (!current.isEmpty())
        lines << current;
    return lines;
}

int captionField(const QString &language) {
    return language == QStringLiteral("cj") ? 1 : 2;
}

void applyCaptions(const QStringList &lines, int field, const std::vector<CaptionTarget> &targets) {
    for (const CaptionTarget &target : targets) {
        if (target.first <= 0)
            continue;
        const int index = target.first - 1;
        if (index >= lines.size())
            throw Error(QStringLiteral("List index out of bounds (%1)").arg(index));
        target.second(SplitField(lines.at(index), u';', field));
    }
}

} // namespace varnok
