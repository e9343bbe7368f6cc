// The report template reader on arbitrary bytes (zadost.fr3 is a file the
// designer saves and anyone may edit), what the designer writes back, and
// the pages laid out as a print lays them out.
#include "common/error.h"
#include "fuzzsupport.h"
#include "printing/dataset.h"
#include "printing/prepare.h"
#include "printing/templatexml.h"

#include <QBuffer>
#include <QDate>

using namespace varnok;

namespace {

const QString kFile = QStringLiteral("zadost.fr3");

QByteArray written(const report::Template &t) {
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    report::writeTemplate(out, t);
    return bytes;
}

report::Template read(const QByteArray &bytes) {
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    return report::readTemplate(in, kFile);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    report::Template t;
    try {
        t = read(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    } catch (const Error &) {
        return 0;
    }

    // What the designer saves must load again, and saving that changes
    // nothing more.
    const QByteArray first = written(t);
    report::Template again;
    try {
        again = read(first);
    } catch (const Error &e) {
        fprintf(stderr, "%s\n--- written:\n%s\n", e.what(), first.constData());
        fuzz::check(false, "a saved template loads again");
    }
    fuzz::check(written(again) == first, "saving a loaded template is stable");

    // Preparing the pages evaluates every expression and lays the texts
    // out, over a row with a text, numbers, a date and a NULL.
    report::MemoryDataSet row;
    row.set(QStringLiteral("ico"), QStringLiteral("46345701"));
    row.set(QStringLiteral("nazevpodni"), QStringLiteral("Zemědělské družstvo Žďár"));
    row.set(QStringLiteral("prod01_hekt"), 125);
    row.set(QStringLiteral("kredit"), 1210000.5);
    row.set(QStringLiteral("priznani"), QDate(2018, 4, 2));
    row.set(QStringLiteral("pozn_duvod"), QVariant());
    try {
        report::prepareReport(t, &row);
    } catch (const Error &) {
    }
    return 0;
}
