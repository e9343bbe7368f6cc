#pragma once

#include "printing/prepared.h"

namespace varnok::report {

// A prepared report saved from the preview window (.fp3): the display
// list of every page as XML (root element "varnokPrepared"), so a saved
// report opens again looking exactly as printed, without template or data.
void savePrepared(const QString &path, const PreparedReport &report);
// Throws varnok::Error when the file cannot be read or is not a saved report.
PreparedReport loadPrepared(const QString &path);

} // namespace varnok::report
