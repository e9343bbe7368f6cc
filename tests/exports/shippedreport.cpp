#include "tests/exports/shippedreport.h"

#include "tests/printing/samplerow.h"

#include <gtest/gtest.h>

namespace varnok::test {

ShippedReport::ShippedReport() : row(sampleRow()) {
    EXPECT_TRUE(report.loadFromFile(QStringLiteral(VARNOK_SOURCE_DIR "/resources/zadost.fr3")));
    report.setVariable(QStringLiteral("txt_77"), QStringLiteral("'Žádost o kredit'"));
    report.setVariable(QStringLiteral("txt_03"), QStringLiteral("'IČO'"));
    report.setVariable(QStringLiteral("txt_14"), QStringLiteral("'Půda celkem'"));
    report.setVariable(QStringLiteral("rok1"), QStringLiteral("'2012'"));
    report.setVariable(QStringLiteral("rok2"), QStringLiteral("'2013'"));
    report.setDataSet(&row);
    EXPECT_TRUE(report.prepareReport());
}

} // namespace varnok::test
