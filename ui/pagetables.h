#pragma once

// The pages of the main window as tables: which label (with its caption
// number) and which bound field stand where, the fields' columns, widths,
// read-only and tab-stop properties and exit handlers, and the tab orders.
// form1_layout.cpp builds the widgets from these tables.

#include <QString>
#include <QStringList>
#include <vector>

namespace varnok {

class TDBEdit;
class TForm1;

namespace pages {

using ExitHandler = void (TForm1::*)(TDBEdit *);

enum FieldFlags : unsigned {
    Editable = 0,
    ReadOnly = 1,  // shows the column, refuses every change
    NoTabStop = 2, // skipped by Tab and Enter; a click still focuses it
};

struct Label {
    const char *name = nullptr; // nullptr: no label
    int tag = 0;                // caption number
};

struct Field {
    QString name; // component name; empty: no field
    QString column;
    int width = 0;
    unsigned flags = Editable;
    ExitHandler exit = nullptr;
    ExitHandler doubleClick = nullptr;
};

// Geometry shared by the grids: rows 25 pixels apart, a white band behind
// every odd row, fields 19 pixels high.
constexpr int kRowPitch = 25;
constexpr int kBandWidth = 581;
constexpr int kBandHeight = 24;
constexpr int kFieldHeight = 19;
constexpr int kGridLabelX = 4;

// ---------------------------------------------------------- company page

// One label → field pair of a group box, in design coordinates of the box.
struct Placed {
    Label label;
    int labelX, labelWidth;
    bool labelRight; // right-aligned, next to its field
    Field field;
    int fieldX;
    int row;
};

struct CompanyBox {
    const char *name;
    int tag;
    QString placeholder;
    int height; // 0: fills the rest of the page
    std::vector<Placed> items;
};

// suiGroupBox1 and suiGroupBox2, in creation order.
const std::vector<CompanyBox> &companyBoxes();
constexpr int kCompanyFirstRowY = 24;
constexpr int kCompanyRowPitch = 26;

// ------------------------------------------------------------- the grids

struct GridColumn {
    int x; // left edge in the scroll box
    int width;
    Label header;
};

struct GridRow {
    Label label;
    std::vector<Field> cells; // one per column; a cell without name is empty
};

struct Grid {
    const char *group;
    int groupTag;
    QString groupPlaceholder;
    const char *scrollBox;
    int scrollStep; // 0: the default step
    std::vector<GridColumn> columns;
    std::vector<GridRow> rows;
    Label totalsLabel;
    std::vector<Field> totals; // one per column, may be empty
};

const Grid &salesGrid();
const Grid &productionGrid();
const Grid &creditGrid();

// Below the credit rows: two notes and the date of granting.
struct Note {
    Label label;
    QString memo;
    QString column;
};
const std::vector<Note> &creditNotes();
constexpr int kMemoWidth = 581;
constexpr int kMemoHeight = 51;
extern const Label kDateLabel;
extern const Field kDateField;
constexpr int kDateHeight = 21;

// Every bound edit of the tables (the date edit included), for wiring
// their handlers.
std::vector<const Field *> allFields();

// -------------------------------------------------------- tab orders

// The focus order of each page's fields, by component name.
QStringList companyTabOrder();
QStringList salesTabOrder();
QStringList productionTabOrder();
QStringList creditTabOrder();

} // namespace pages
} // namespace varnok
