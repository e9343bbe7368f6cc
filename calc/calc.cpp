#include "calc/calc.h"

#include "common/error.h"
#include "records/query.h"

#include <climits>
#include <cmath>

namespace varnok::calc {

namespace {

// The nearest extended-precision value to 1.21 (64-bit significand), as
// the credit has always been computed.
constexpr long double kVat = 1.21L;

void ensureEditing(ZQuery &q) {
    if (q.state() != DataSetState::Edit)
        q.edit();
}

int readInt(ZQuery &q, const QString &column) {
    return q.fieldByName(column).asInteger();
}

// Sums and products are whole 32-bit figures; one that does not fit is
// reported instead of wrapping around into a wrong amount.
int checked(long double value, const QString &column) {
    if (!(value >= INT_MIN && value <= INT_MAX))
        throw Error(QStringLiteral("Výsledek pro pole '%1' je mimo rozsah celého čísla "
                                   "(-2147483648 až 2147483647); přepočet byl zastaven.")
                        .arg(column));
    return int(value);
}

void writeInt(ZQuery &q, const QString &column, long double value) {
    q.fieldByName(column).setAsInteger(checked(value, column));
}

QString nn(int row) {
    return QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0'));
}

// One coverage percentage: part / claims × 100 at extended precision,
// truncated. Any failure of the step gives 0 and is not reported.
void coverage(ZQuery &q, const QString &part, const QString &target) {
    try {
        const long double numerator = readInt(q, part);
        const long double claims = readInt(q, QStringLiteral("pohledavky"));
        if (claims == 0)
            throw Error(QStringLiteral("Division by zero"));
        const long double percent = std::trunc(numerator / claims * 100.0L);
        q.fieldByName(target).setAsInteger(checked(percent, target));
    } catch (const Error &) {
        q.fieldByName(target).setAsInteger(0);
    }
}

void sumInto(ZQuery &q, const QString &prefix, const QString &suffix, int last,
             const QString &target) {
    long long sum = 0;
    for (int row = 1; row <= last; ++row)
        sum += readInt(q, prefix + nn(row) + suffix);
    ensureEditing(q);
    writeInt(q, target, sum);
}

} // namespace

QString rowOfColumn(const QString &column) {
    return column.mid(4, 2);
}

void radek(ZQuery &q, const QString &row) {
    const QString hekt = QStringLiteral("prod") + row + QStringLiteral("_hekt");
    const QString nahe = QStringLiteral("prod") + row + QStringLiteral("_nahe");
    const QString celk = QStringLiteral("prod") + row + QStringLiteral("_celk");
    const QString cena = QStringLiteral("prod") + row + QStringLiteral("_cena");
    const QString suma = QStringLiteral("prod") + row + QStringLiteral("_suma");
    const QString planPv = QStringLiteral("plan") + row + QStringLiteral("_pv");
    const QString plan = QStringLiteral("plan") + row;

    ensureEditing(q);
    // Area × yield at extended precision, truncated without rounding to
    // double first: 10 × 2.3 gives 22.
    const long double quantity =
        std::trunc((long double)readInt(q, hekt) * (long double)q.fieldByName(nahe).asFloat());
    writeInt(q, celk, quantity);
    writeInt(q, suma, (long double)readInt(q, celk) * readInt(q, cena));
    writeInt(q, plan, (long double)readInt(q, planPv) * readInt(q, cena));

    for (const QString &suffix : {QStringLiteral("_pv"), QString(), QStringLiteral("_hekt"),
                                  QStringLiteral("_celk"), QStringLiteral("_suma")})
        prepo(q, suffix);
    pkredit(q);
}

void prepo(ZQuery &q, const QString &suffix) {
    const QString prefix = suffix == QStringLiteral("_pv") || suffix.isEmpty()
                               ? QStringLiteral("plan")
                               : QStringLiteral("prod");
    sumInto(q, prefix, suffix, 19, prefix + QStringLiteral("ce") + suffix);
}

void pkredit(ZQuery &q) {
    ensureEditing(q);
    auto copy = [&q](const char *from, const char *to) {
        q.fieldByName(QString::fromLatin1(to)).setAsInteger(readInt(q, QString::fromLatin1(from)));
    };
    copy("prodejce", "prodej");
    copy("prodejce_min", "prodej_min");
    copy("plance", "nakup");
    copy("prodce_suma", "produkce");
    writeInt(q, QStringLiteral("pohledavky"),
             (long double)readInt(q, QStringLiteral("zavazky")) +
                 readInt(q, QStringLiteral("prodej")));
    coverage(q, QStringLiteral("nakup"), QStringLiteral("zajisteni"));
    coverage(q, QStringLiteral("produkce"), QStringLiteral("zajisteni2"));
}

void salesTotal(ZQuery &q) {
    sumInto(q, QStringLiteral("prodej"), QString(), 11, QStringLiteral("prodejce"));
    pkredit(q);
}

void previousSalesTotal(ZQuery &q) {
    sumInto(q, QStringLiteral("prodej"), QStringLiteral("_min"), 11,
            QStringLiteral("prodejce_min"));
    pkredit(q);
}

void landTotal(ZQuery &q) {
    const long double sum = (long double)readInt(q, QStringLiteral("zem_puda_vlast")) +
                            readInt(q, QStringLiteral("zem_puda_najem"));
    ensureEditing(q);
    writeInt(q, QStringLiteral("zem_puda_celkem"), sum);
}

void credit(ZQuery &q) {
    ensureEditing(q);
    const double amount =
        double((long double)q.fieldByName(QStringLiteral("zadost")).asFloat() * kVat);
    q.fieldByName(QStringLiteral("kredit")).setAsFloat(amount);
}

} // namespace varnok::calc
