#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace varnok::report {
class Report;
}

namespace varnok::designer {

struct DesignerOptions {
    // Columns offered for expressions; empty: the fields of the report's
    // dataset when it is open.
    QStringList datasetColumns;
    // Where "Uložit jako" starts (the program directory in design mode).
    QString saveDir;
    // When set, the designer offers a preview of the report as designed.
    std::function<void(report::Report &, QWidget *parent)> preview;
};

// The report designer (frxDesigner1): opens modally on the report, with
// the template as loaded and the variables as the print command set them,
// and returns when it closes; closing asks nothing. Edits go into the
// report itself; saving (Ctrl+S) writes it to the report's file name,
// variables included. A report without pages starts with an empty A4
// portrait page with 10 mm margins. Returns whether the report was saved.
// While a designer is open on a report, another call for it does nothing
// and returns false.
bool designReport(report::Report &report, const QStringList &datasetColumns, QWidget *parent,
                  DesignerOptions options = DesignerOptions());

} // namespace varnok::designer
