#pragma once

#include "printing/prepared.h"

#include <QColor>
#include <QString>
#include <vector>

namespace varnok::exports {

// A prepared report laid out on a worksheet: every text run goes into a
// cell found from its position. Rows follow the baselines; columns follow
// the nearest vertical edge on a text's left (the side of its box or the
// line of its table column; a text with none anchors at its own left
// edge), so a label and its value in one box share a column and
// right-aligned numbers do not scatter.

struct SheetOptions {
    bool asText = false;    // numbers stay texts
    bool background = true; // cells take the fill behind their text
    bool pageBreaks = true; // each page starts on a new printed sheet page
    bool emptyLines = true; // a gap of a line or more keeps one empty row
};

struct SheetCell {
    int row = 0, column = 0;
    QString text;
    bool isNumber = false;
    double number = 0;
    int decimals = 0;     // as the text showed them
    bool grouped = false; // the text grouped thousands
    bool alignRight = false;
    report::RunFont font;
    QColor color = Qt::black;
    QColor fill; // invalid: none
};

struct SheetLayout {
    std::vector<SheetCell> cells;     // by row, then column
    std::vector<double> columnWidths; // points
    std::vector<double> rowHeights;   // points
    std::vector<int> pageStarts;      // first row of every page
};

SheetLayout layoutSheet(const report::PreparedReport &report, const SheetOptions &options);

// A number as the report prints it: optional minus, digits grouped by
// spaces (or no-break spaces) or not, the decimal separator in force (the
// window's comma). A leading zero ("01234") and more than 15 digits keep
// the text a text.
bool readNumber(const QString &text, double *value, int *decimals, bool *grouped);

} // namespace varnok::exports
