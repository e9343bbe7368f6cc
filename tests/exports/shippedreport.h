#pragma once

#include "printing/dataset.h"
#include "printing/report.h"

namespace varnok::test {

// The shipped template prepared over the sample row, with a few captions
// and the year set as the print command sets them.
struct ShippedReport {
    ShippedReport();
    report::MemoryDataSet row;
    report::Report report;
};

} // namespace varnok::test
