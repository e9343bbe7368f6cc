// The expression evaluator on arbitrary text. Input: the expression on the
// first line, then report variables as name=value lines (a value may refer
// to other variables, to itself, or hold anything at all).
#include "common/error.h"
#include "fuzzscope.h"
#include "fuzzsupport.h"

using namespace varnok;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList lines = input.split(u'\n');
    fuzz::FuzzScope scope;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype eq = lines[i].indexOf(u'=');
        if (eq > 0)
            scope.addVariable(lines[i].left(eq), lines[i].mid(eq + 1));
    }
    const report::Evaluator evaluator(scope);
    const QString &expression = lines.first();
    try {
        evaluator.evaluate(expression);
    } catch (const Error &) {
    }
    // The same text as a text object's content, expressions in brackets.
    try {
        evaluator.expand(expression, fuzz::display);
    } catch (const Error &) {
    }
    return 0;
}
