#include "printing/exportfilter.h"

#include <algorithm>

namespace varnok::report {

namespace {
std::vector<ExportFilter *> &list() {
    static std::vector<ExportFilter *> filters;
    return filters;
}
} // namespace

ExportFilter::ExportFilter() {
    list().push_back(this);
}

ExportFilter::~ExportFilter() {
    auto &l = list();
    l.erase(std::remove(l.begin(), l.end(), this), l.end());
}

const std::vector<ExportFilter *> &ExportFilter::registered() {
    return list();
}

} // namespace varnok::report
