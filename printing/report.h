#pragma once

#include "printing/prepare.h"
#include "printing/prepared.h"
#include "printing/template.h"

#include <QDateTime>
#include <QString>

namespace varnok::report {

class ExportFilter;
class ReportDataSet;

// The report (frxReport1): a template with its variables, the dataset it
// prints from, and the pages of its last preparation.
class Report {
public:
    struct EngineOptions {
        QString tempDir; // where the engine may keep temporary files
    };

    // Empties the template: no pages, variables or anything else. The
    // dataset binding and the prepared pages stay.
    void clear();

    // Clears, then reads the template. A missing file is no error unless
    // raiseIfMissing is set: the report stays empty and the result is
    // false. A file that cannot be read or is not a template throws
    // varnok::Error (the report stays empty).
    bool loadFromFile(const QString &path, bool raiseIfMissing = false);
    void saveToFile(const QString &path) const;

    QString fileName() const { return m_fileName; }
    void setFileName(const QString &fileName) { m_fileName = fileName; }

    // Adds the variable, or replaces the value of the one with the same
    // name without regard to case.
    void setVariable(const QString &name, const QString &value);
    bool hasVariable(const QString &name) const;
    QString variable(const QString &name) const;

    Template &templ() { return m_template; }
    const Template &templ() const { return m_template; }

    void setDataSet(const ReportDataSet *dataSet) { m_dataSet = dataSet; }
    const ReportDataSet *dataSet() const { return m_dataSet; }

    EngineOptions &engineOptions() { return m_options; }

    // Builds the pages over the dataset's row, replacing the previous ones
    // (or adding to them when clearLastReport is false). On failure the
    // error is shown through the engine's error handler and the result is
    // false; the previous pages are then gone.
    bool prepareReport(bool clearLastReport = true);
    const PreparedReport &preparedPages() const { return m_prepared; }
    void setPreparedPages(PreparedReport pages) { m_prepared = std::move(pages); }

    // Exports the prepared pages through an export; false when nothing is
    // prepared or the export failed (it has shown why).
    bool exportTo(ExportFilter &filter);

    // The moment the built-in names Date and Time show; invalid: now.
    void setPrintedAt(const QDateTime &when) { m_printedAt = when; }

private:
    Template m_template;
    QString m_fileName;
    const ReportDataSet *m_dataSet = nullptr;
    EngineOptions m_options;
    PreparedReport m_prepared;
    QDateTime m_printedAt;
};

} // namespace varnok::report
