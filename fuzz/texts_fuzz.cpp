// The caption file reader, SplitField and the caption walk on arbitrary
// file contents: texty.txt is edited by hand in the office.
#include "common/error.h"
#include "fuzzsupport.h"
#include "texts/splitfield.h"
#include "texts/textfile.h"

#include <vector>

using namespace varnok;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString path = fuzz::writeInputFile(data, size);
    const QStringList lines = readTextLines(path);
    for (const QString &line : lines)
        fuzz::check(!line.contains(u'\r') && !line.contains(u'\n') && !line.contains(QChar(0)),
                    "lines hold no break and no NUL");

    // SplitField against the plain split it must agree with, on the first
    // lines and with the separators the program uses.
    for (qsizetype n = 0; n < qMin<qsizetype>(lines.size(), 64); ++n) {
        const QString &line = lines.at(n);
        for (const QChar sep : {QChar(u';'), QChar(u'/')}) {
            const QStringList fields = line.split(sep);
            const int last = int(fields.size()) - 1;
            for (const int k : {-1, 0, 1, 2, 3, last - 1, last, last + 1})
                fuzz::check(SplitField(line, sep, k) == (k < 0 ? QString() : fields.value(k)),
                            "SplitField gives field k of the split");
        }
    }

    // The caption walk with tags as the window has them, in both languages.
    // A tag beyond the lines stops the walk with an error; captions set
    // before it stay set.
    const int tags[] = {1, 3, 0, 2, -5, 40, 77, 99, 100, 12, 250};
    for (const QString &language : {QStringLiteral("cj"), QStringLiteral("nj")}) {
        const int field = captionField(language);
        std::vector<QString> got;
        std::vector<CaptionTarget> targets;
        for (const int tag : tags)
            targets.push_back({tag, [&got](const QString &caption) { got.push_back(caption); }});
        bool stopped = false;
        try {
            applyCaptions(lines, field, targets);
        } catch (const Error &) {
            stopped = true;
        }
        size_t i = 0;
        bool beyond = false;
        for (const int tag : tags) {
            if (tag <= 0)
                continue;
            if (tag > lines.size()) {
                beyond = true;
                break;
            }
            fuzz::check(i < got.size() && got[i] == SplitField(lines.at(tag - 1), u';', field),
                        "each caption is its line's field");
            ++i;
        }
        fuzz::check(i == got.size() && stopped == beyond,
                    "the walk stops at the first missing line");
    }
    return 0;
}
