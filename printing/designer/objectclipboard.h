#pragma once

#include "printing/template.h"

#include <vector>

class QMimeData;

namespace varnok::designer {

// Objects on the clipboard travel as a one-page template in the template
// file's own XML, so a copy keeps every property the file keeps.
QMimeData *objectsToMime(const std::vector<report::ReportObject> &objects);
// Empty when the clipboard holds no report objects.
std::vector<report::ReportObject> objectsFromMime(const QMimeData *mime);

} // namespace varnok::designer
