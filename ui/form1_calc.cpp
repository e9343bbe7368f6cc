// Exit and double-click handlers of the input fields: each recomputes the
// derived figures of the open row.
#include "ui/form1.h"

#include "calc/calc.h"
#include "ui/dbedit.h"

namespace varnok {

namespace {

// The production grid's handlers take the row from the column of the
// field that was left, so one handler serves a whole column.
void recomputeRow(ZQuery &q, TDBEdit *sender) {
    calc::radek(q, calc::rowOfColumn(sender->dataField()));
}

} // namespace

void TForm1::suiDBEdit38Exit(TDBEdit *sender) {
    recomputeRow(*ZQuery1, sender);
}
void TForm1::suiDBEdit54Exit(TDBEdit *sender) {
    recomputeRow(*ZQuery1, sender);
}
void TForm1::suiDBEdit71Exit(TDBEdit *sender) {
    recomputeRow(*ZQuery1, sender);
}
void TForm1::suiDBEdit87Exit(TDBEdit *sender) {
    recomputeRow(*ZQuery1, sender);
}
void TForm1::suiDBEdit103Exit(TDBEdit *sender) {
    recomputeRow(*ZQuery1, sender);
}
void TForm1::suiDBEdit119Exit(TDBEdit *sender) {
    recomputeRow(*ZQuery1, sender);
}
void TForm1::suiDBEdit135Exit(TDBEdit *sender) {
    recomputeRow(*ZQuery1, sender);
}

void TForm1::suiDBEdit18Exit(TDBEdit *) {
    calc::previousSalesTotal(*ZQuery1);
}
void TForm1::suiDBEdit27Exit(TDBEdit *) {
    calc::salesTotal(*ZQuery1);
}
void TForm1::suiDBEdit12Exit(TDBEdit *) {
    calc::landTotal(*ZQuery1);
}
void TForm1::suiDBEdit166Exit(TDBEdit *) {
    calc::pkredit(*ZQuery1);
}
void TForm1::suiDBEdit151DblClick(TDBEdit *) {
    calc::credit(*ZQuery1);
}

} // namespace varnok
