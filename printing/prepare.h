#pragma once

#include "printing/prepared.h"
#include "printing/template.h"

#include <QDateTime>

namespace varnok::report {

class ReportDataSet;

struct PrepareOptions {
    // What the built-in names Date and Time show.
    QDateTime printedAt = QDateTime::currentDateTime();
};

// Lays the template out over the dataset's open row: every template page
// gives one prepared page, expressions replaced by their values, texts
// broken into lines with the PDF fonts' metrics. A template without pages
// gives one blank A4 page. Throws varnok::Error naming the object whose
// expression failed.
PreparedReport prepareReport(const Template &report, const ReportDataSet *dataSet,
                             const PrepareOptions &options = PrepareOptions());

// Lays out one text object whose expressions are already replaced, adding
// its fill, text runs and frame to items. box: the object's box in points.
void layoutText(const TextObject &object, const QString &text, const QRectF &box,
                std::vector<DrawItem> &items);

// A number with thousands grouped by no-break spaces and the given number
// of decimals, written with the decimal separator in force.
QString formatGrouped(double value, int decimals);

} // namespace varnok::report
