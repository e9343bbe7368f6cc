#pragma once

#include <QString>
#include <vector>

namespace varnok::report {

struct PreparedReport;

// An export of prepared reports (PDF, and later spreadsheet and e-mail).
// Every export enters itself in the engine's list when it is created and
// leaves it when destroyed; the preview window offers the list in its
// export menu.
class ExportFilter {
public:
    ExportFilter();
    virtual ~ExportFilter();
    ExportFilter(const ExportFilter &) = delete;
    ExportFilter &operator=(const ExportFilter &) = delete;

    // The entry of the export menu.
    virtual QString description() const = 0;
    // Writes the report; shows its own errors (showEngineError) and
    // returns whether the export was written.
    virtual bool exportReport(const PreparedReport &report) = 0;

    // The exports that exist now, in order of creation.
    static const std::vector<ExportFilter *> &registered();
};

} // namespace varnok::report
