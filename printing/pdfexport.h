#pragma once

#include "printing/exportfilter.h"

#include <QByteArray>
#include <QString>

namespace varnok::report {

// The PDF export (dopdf). It writes without a dialog, progress window or
// overwrite question, with the base fonts not embedded (Helvetica, Times,
// Courier in the Windows-1250 encoding, so Czech and German letters
// print), no outline, no viewer preferences and no encryption (all
// permissions), and does not open the file afterwards.
class PdfExport : public ExportFilter {
public:
    bool Compressed = true; // compressed page content
    bool Background = true; // fills are exported
    QString Author = QStringLiteral("Varnok05");
    QString Subject = QStringLiteral("Varnok05");
    QString Creator = QStringLiteral("Varnok05");

    // A FileName without a directory part is joined to DefaultPath; after
    // an export FileName holds the full path that was written.
    QString DefaultPath;
    QString FileName;

    QString description() const override;
    // Writes the file through a temporary file in the same directory, so a
    // failure (a locked or read-only target) leaves the old file intact and
    // shows "Cannot create file ..." in the engine's error box.
    bool exportReport(const PreparedReport &report) override;

    // The file the next export writes.
    QString targetPath() const;

    // The PDF document as bytes. Throws varnok::Error.
    QByteArray render(const PreparedReport &report) const;
};

} // namespace varnok::report
