#pragma once

#include <QString>

namespace varnok {

class ZQuery;

// The derived figures of the open application row, recomputed when the
// user leaves an input field. Everything goes through the dataset's field
// accessors; nothing reaches the server until the row is saved.
namespace calc {

// Row number ("01".."16") from the column a production field is bound to:
// the two characters after the four-letter prefix "prod" or "plan".
QString rowOfColumn(const QString &column);

// Quantity, value and planned value of row nn, then the five column
// totals, then the credit summary.
void radek(ZQuery &q, const QString &nn);

// One column total over rows 01..19: "_pv", "", "_hekt", "_celk", "_suma".
void prepo(ZQuery &q, const QString &suffix);

// The credit summary: sales, purchase, production, claims and the two
// coverage percentages.
void pkredit(ZQuery &q);

// Sales of the year (prodejce) or of the previous year (prodejce_min),
// then the credit summary.
void salesTotal(ZQuery &q);
void previousSalesTotal(ZQuery &q);

// zem_puda_celkem = own + rented land; nothing else.
void landTotal(ZQuery &q);

// kredit = zadost × 1.21.
void credit(ZQuery &q);

} // namespace calc
} // namespace varnok
