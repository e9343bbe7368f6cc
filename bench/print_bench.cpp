// Printing cost over a full in-memory row with the shipped template and
// caption file: preparing the pages, writing the PDF bytes, and the whole
// print of the command (prepare + export to a file).
#include "common/formatsettings.h"
#include "printing/pdfexport.h"
#include "printing/printcommand.h"
#include "printing/report.h"
#include "tests/printing/samplerow.h"
#include "texts/textfile.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace varnok;
using namespace varnok::report;

namespace {

struct Shipped {
    Shipped() {
        setDecimalSeparator(u',');
        report.loadFromFile(QStringLiteral(VARNOK_SOURCE_DIR "/resources/zadost.fr3"));
        printing::setCaptionVariables(
            report, readTextLines(QStringLiteral(VARNOK_SOURCE_DIR "/resources/texty.txt")),
            QStringLiteral("cj"));
        report.setVariable(QStringLiteral("rok1"), QStringLiteral("'2016'"));
        report.setVariable(QStringLiteral("rok2"), QStringLiteral("'2017'"));
        report.setDataSet(&row);
        pdf.DefaultPath = dir.path();
    }
    MemoryDataSet row = test::sampleRow();
    Report report;
    QTemporaryDir dir;
    PdfExport pdf;
};

Shipped &shipped() {
    static Shipped s;
    return s;
}

void BM_Prepare(benchmark::State &state) {
    Report &r = shipped().report;
    for (auto _ : state)
        benchmark::DoNotOptimize(r.prepareReport());
}
BENCHMARK(BM_Prepare)->Unit(benchmark::kMillisecond);

void BM_PdfBytes(benchmark::State &state) {
    Shipped &s = shipped();
    s.report.prepareReport();
    qsizetype size = 0;
    for (auto _ : state)
        size = s.pdf.render(s.report.preparedPages()).size();
    state.counters["pdf_bytes"] = double(size);
}
BENCHMARK(BM_PdfBytes)->Unit(benchmark::kMillisecond);

// What a print costs before the preview opens.
void BM_PrepareAndExport(benchmark::State &state) {
    Shipped &s = shipped();
    for (auto _ : state) {
        s.report.prepareReport();
        s.pdf.FileName = QStringLiteral("zadost.pdf");
        s.report.exportTo(s.pdf);
    }
    state.counters["pdf_bytes"] = double(QFileInfo(s.pdf.FileName).size());
}
BENCHMARK(BM_PrepareAndExport)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
