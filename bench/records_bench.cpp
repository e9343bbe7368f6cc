// Dataset and calculation costs on a full application row of the test
// server (run with the environment of ./test.sh, or scripts/bench.sh).
#include "calc/calc.h"
#include "records/query.h"
#include "records/saving.h"
#include "tests/support/testdb.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

using namespace varnok;

namespace {

struct FullRow {
    FullRow() : db(), conn(db.connect()), q(conn.get()) {
        QStringList cols{QStringLiteral("ico"), QStringLiteral("rok")},
            vals{QStringLiteral("'1'"), QStringLiteral("2017")};
        for (int r = 1; r <= 16; ++r) {
            const QString n = QStringLiteral("%1").arg(r, 2, 10, QLatin1Char('0'));
            cols << QStringLiteral("prod%1_hekt").arg(n) << QStringLiteral("prod%1_nahe").arg(n)
                 << QStringLiteral("prod%1_cena").arg(n) << QStringLiteral("plan%1_pv").arg(n);
            vals << QString::number(10 * r) << QStringLiteral("6.5") << QStringLiteral("4200")
                 << QString::number(5 * r);
        }
        db.exec(QStringLiteral("insert into zadost_kredit (%1) values (%2)")
                    .arg(cols.join(u','), vals.join(u',')));
        q.setSqlText(
            QStringLiteral("select * from zadost_kredit where ico = \"1\" and rok = \"2017\""));
        q.open();
    }
    test::TestDatabase db;
    std::unique_ptr<ZConnection> conn;
    ZQuery q;
};

FullRow &row() {
    static FullRow r;
    return r;
}

void BM_FieldByName(benchmark::State &s) {
    ZQuery &q = row().q;
    const QString names[] = {QStringLiteral("prod07_hekt"), QStringLiteral("plance"),
                             QStringLiteral("zajisteni2")};
    for (auto _ : s)
        for (const QString &n : names)
            benchmark::DoNotOptimize(q.fieldByName(n).asInteger());
    s.SetItemsProcessed(s.iterations() * 3);
}
BENCHMARK(BM_FieldByName);

void BM_PostOneChangedColumn(benchmark::State &s) {
    ZQuery &q = row().q;
    int v = 0;
    for (auto _ : s) {
        q.edit();
        q.fieldByName(QStringLiteral("zavazky")).setAsInteger(++v);
        q.post();
    }
}
BENCHMARK(BM_PostOneChangedColumn);

void BM_Save(benchmark::State &s) {
    ZQuery &q = row().q;
    int v = 0;
    for (auto _ : s) {
        q.edit();
        q.fieldByName(QStringLiteral("zavazky")).setAsInteger(++v);
        saving::commitRow(q); // post, commit, start transaction, read back
    }
}
BENCHMARK(BM_Save);

void BM_FieldExitRecomputation(benchmark::State &s) {
    ZQuery &q = row().q;
    for (auto _ : s)
        calc::radek(q, QStringLiteral("07"));
}
BENCHMARK(BM_FieldExitRecomputation);

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    if (!test::ServerSettings::fromEnvironment().available()) {
        fprintf(stderr, "records_bench needs the test server (VARNOK05_TEST_PORT)\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
