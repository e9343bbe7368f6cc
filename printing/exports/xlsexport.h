#pragma once

#include "printing/exportfilter.h"
#include "printing/exports/sheetlayout.h"

#include <QString>

namespace varnok::exports {

class ExportProgress;

// The spreadsheet export (frxXLSExport1): an .xlsx workbook with the texts
// of the prepared pages in cells by their position, numbers as numbers,
// fonts, colours and fills kept. It asks for the file name in an export
// dialog (without an overwrite question) and shows its progress.
class XlsExport : public report::ExportFilter {
public:
    bool ShowDialog = true;
    bool ShowProgress = true;
    bool OverwritePrompt = false;
    bool AsText = false;
    bool Background = true;
    bool PageBreaks = true;
    bool EmptyLines = true;
    // The dialog starts here; without the dialog a FileName without a
    // directory part is joined to DefaultPath. After an export FileName
    // holds the full path written.
    QString DefaultPath;
    QString FileName;

    QString description() const override;
    bool exportReport(const report::PreparedReport &report) override;

    // Writes the workbook through a temporary file, so a failure leaves an
    // existing file as it was. Throws varnok::Error; returns false when
    // the user cancelled at the progress window.
    bool writeWorkbook(const QString &path, const SheetLayout &layout,
                       ExportProgress *progress = nullptr) const;

private:
    QString chooseFile() const;
};

} // namespace varnok::exports
