#pragma once

#include "printing/dataset.h"

namespace varnok::test {

// A complete application row of a mid-sized farm with every column of
// zadost_kredit filled as the window would leave it (derived figures
// computed), long texts included, for printing without a database.
report::MemoryDataSet sampleRow();

} // namespace varnok::test
