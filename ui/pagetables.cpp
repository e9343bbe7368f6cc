#include "ui/pagetables.h"

#include "ui/form1.h"

namespace varnok::pages {

namespace {

Field edit(const char *name, const char *column, int width, unsigned flags = Editable,
           ExitHandler exit = nullptr, ExitHandler doubleClick = nullptr) {
    return Field{
        QString::fromLatin1(name), QString::fromLatin1(column), width, flags, exit, doubleClick};
}

const Field kNone{};
constexpr unsigned kShown = ReadOnly | NoTabStop; // computed figures

QString editName(int number) {
    return QStringLiteral("suiDBEdit") + QString::number(number);
}

// The focus order of a grid: down each column in turn.
QStringList columnWise(const Grid &g) {
    QStringList order;
    for (size_t c = 0; c < g.columns.size(); ++c)
        for (const GridRow &r : g.rows)
            if (!r.cells[c].name.isEmpty() && !(r.cells[c].flags & NoTabStop))
                order << r.cells[c].name;
    return order;
}

} // namespace

// Company page. Fields in three columns at 80, 378 and 555; the labels of
// the first column stand at the left edge, those of the other two
// right-aligned next to their fields, each as wide as its row leaves room.
// Items are listed in label order, the order the labels are created in.
const std::vector<CompanyBox> &companyBoxes() {
    constexpr bool L = false, R = true;
    static const std::vector<CompanyBox> boxes{
        {"suiGroupBox1",
         18,
         QStringLiteral(" Základní údaje o firmě "),
         162,
         {
             // label            x   width      field                                         x  row
             {{"Label1", 1}, 6, 72, L, edit("suiDBEdit1", "nazevpodni", 522), 80, 0},
             {{"Label2", 2}, 6, 72, L, edit("suiDBEdit2", "ulicecislo", 216), 80, 1},
             {{"Label3", 3}, 6, 72, L, edit("suiDBEdit5", "ico", 111, ReadOnly), 80, 2},
             {{"Label4", 4}, 6, 72, L, edit("suiDBEdit8", "partner", 216), 80, 3},
             {{"Label5", 5}, 6, 72, L, edit("suiDBEdit10", "telefon", 111), 80, 4},
             {{"Label6", 6}, 300, 74, R, edit("suiDBEdit3", "posta", 131), 378, 1},
             {{"Label7", 7}, 300, 74, R, edit("suiDBEdit6", "kod_platce", 98, ReadOnly), 378, 2},
             {{"Label8", 8}, 300, 74, R, edit("suiDBEdit9", "dealer", 107), 378, 3},
             {{"Label9", 9}, 300, 74, R, edit("suiDBEdit11", "emailobj", 219), 378, 4},
             {{"Label10", 10}, 512, 39, R, edit("suiDBEdit4", "psc", 57), 555, 1},
             {{"Label11", 11}, 480, 71, R, edit("suiDBEdit7", "kod_par", 57), 555, 2},
         }},
        {"suiGroupBox2",
         19,
         QStringLiteral(" Přehled o firmě "),
         0,
         {
             {{"Label12", 12},
              6,
              220,
              L,
              edit("suiDBEdit12", "zem_puda_vlast", 41, Editable, &TForm1::suiDBEdit12Exit),
              232,
              0},
             {{"Label13", 13},
              6,
              220,
              L,
              edit("suiDBEdit13", "zem_puda_najem", 41, Editable, &TForm1::suiDBEdit12Exit),
              232,
              1},
             {{"Label14", 14},
              6,
              220,
              L,
              edit("suiDBEdit15", "zem_puda_celkem", 41, kShown),
              232,
              2},
             {{"Label15", 15}, 300, 250, L, edit("suiDBEdit14", "plateb_moralka", 42), 555, 0},
             {{"Label16", 16}, 300, 250, L, edit("suiDBEdit16", "financ_situace", 42), 555, 1},
             {{"Label17", 17}, 300, 250, L, edit("suiDBEdit17", "dosav_spoluprace", 42), 555, 2},
         }},
    };
    return boxes;
}

// Sales page: eleven rows of this year's and last year's sales.
const Grid &salesGrid() {
    const auto left = [](const char *name, const char *column) {
        return edit(name, column, 70, Editable, &TForm1::suiDBEdit18Exit);
    };
    const auto right = [](const char *name, const char *column) {
        return edit(name, column, 70, Editable, &TForm1::suiDBEdit27Exit);
    };
    static const Grid grid{
        "suiGroupBox3",
        25,
        QStringLiteral(" Základní údaje o firmě "),
        "JvScrollBox1",
        20,
        {{430, 70, {"Label28", 36}}, {508, 70, {"Label29", 37}}},
        {
            {{"Label18", 26},
             {left("suiDBEdit18", "prodej01_min"), right("suiDBEdit27", "prodej01")}},
            {{"Label19", 27},
             {left("suiDBEdit21", "prodej02_min"), right("suiDBEdit29", "prodej02")}},
            {{"Label20", 28},
             {left("suiDBEdit24", "prodej03_min"), right("suiDBEdit30", "prodej03")}},
            {{"Label21", 29},
             {left("suiDBEdit26", "prodej04_min"), right("suiDBEdit31", "prodej04")}},
            {{"Label22", 30},
             {left("suiDBEdit28", "prodej05_min"), right("suiDBEdit32", "prodej05")}},
            {{"Label23", 31},
             {left("suiDBEdit19", "prodej06_min"), right("suiDBEdit33", "prodej06")}},
            {{"Label24", 32},
             {left("suiDBEdit20", "prodej07_min"), right("suiDBEdit34", "prodej07")}},
            {{"Label25", 33},
             {left("suiDBEdit22", "prodej08_min"), right("suiDBEdit35", "prodej08")}},
            {{"Label26", 34},
             {left("suiDBEdit23", "prodej09_min"), right("suiDBEdit36", "prodej09")}},
            {{"Label68", 87},
             {left("suiDBEdit153", "prodej10_min"), right("suiDBEdit157", "prodej10")}},
            {{"Label69", 88},
             {left("suiDBEdit161", "prodej11_min"), right("suiDBEdit159", "prodej11")}},
        },
        {"Label27", 35},
        {edit("suiDBEdit25", "prodejce_min", 70, kShown),
         edit("suiDBEdit37", "prodejce", 70, kShown)},
    };
    return grid;
}

// Production page: sixteen product rows of seven figures.
const Grid &productionGrid() {
    struct Family {
        const char *prefix, *suffix;
        int x, width;
        Label header;
        ExitHandler exit;
        int total; // control number of the total, 0: none
        const char *totalColumn;
    };
    static const Family families[] = {
        {"prod", "_hekt", 204, 40, {"Label53", 57}, &TForm1::suiDBEdit38Exit, 57, "prodce_hekt"},
        {"prod", "_nahe", 248, 40, {"Label52", 58}, &TForm1::suiDBEdit54Exit, 0, nullptr},
        {"prod", "_celk", 292, 40, {"Label51", 59}, &TForm1::suiDBEdit71Exit, 152, "prodce_celk"},
        {"prod", "_cena", 336, 50, {"Label50", 60}, &TForm1::suiDBEdit87Exit, 0, nullptr},
        {"prod", "_suma", 390, 70, {"Label49", 61}, &TForm1::suiDBEdit103Exit, 154, "prodce_suma"},
        {"plan", "_pv", 464, 40, {"Label48", 62}, &TForm1::suiDBEdit119Exit, 155, "plance_pv"},
        {"plan", "", 508, 70, {"Label41", 63}, &TForm1::suiDBEdit135Exit, 156, "plance"},
    };
    struct Row {
        Label label;
        int controls[7]; // suiDBEdit numbers of the seven families
    };
    static const Row rows[] = {
        // label            _hekt _nahe _celk _cena _suma _pv  plan
        {{"Label30", 40}, {38, 54, 71, 87, 103, 119, 135}},
        {{"Label31", 41}, {39, 55, 72, 88, 104, 120, 136}},
        {{"Label32", 42}, {40, 56, 73, 89, 105, 121, 137}},
        {{"Label33", 43}, {41, 58, 74, 90, 106, 122, 138}},
        {{"Label34", 44}, {42, 59, 75, 91, 107, 123, 139}},
        {{"Label35", 45}, {43, 60, 76, 92, 108, 124, 140}},
        {{"Label36", 46}, {44, 61, 77, 93, 109, 125, 141}},
        {{"Label37", 47}, {45, 62, 78, 94, 110, 126, 142}},
        {{"Label38", 48}, {46, 63, 79, 95, 111, 127, 143}},
        {{"Label40", 49}, {47, 64, 80, 96, 112, 128, 144}},
        {{"Label42", 50}, {48, 65, 81, 97, 113, 129, 145}},
        {{"Label43", 51}, {49, 66, 82, 98, 114, 130, 146}},
        {{"Label44", 52}, {50, 67, 83, 99, 115, 131, 147}},
        {{"Label45", 53}, {51, 68, 84, 100, 116, 132, 148}},
        {{"Label46", 54}, {52, 69, 85, 101, 117, 133, 149}},
        {{"Label47", 55}, {53, 70, 86, 102, 118, 134, 150}},
    };
    static const Grid grid = [] {
        Grid g{"suiGroupBox4",
               38,
               QStringLiteral(" Základní údaje o firmě "),
               "JvScrollBox2",
               0,
               {},
               {},
               {"Label39", 56},
               {}};
        for (const Family &f : families) {
            g.columns.push_back({f.x, f.width, f.header});
            g.totals.push_back(f.total ? Field{editName(f.total),
                                               QString::fromLatin1(f.totalColumn), f.width, kShown}
                                       : kNone);
        }
        int number = 1;
        for (const Row &r : rows) {
            const QString nn = QStringLiteral("%1").arg(number++, 2, 10, QLatin1Char('0'));
            GridRow row{r.label, {}};
            for (int c = 0; c < 7; ++c) {
                const Family &f = families[c];
                const QString column =
                    QString::fromLatin1(f.prefix) + nn + QString::fromLatin1(f.suffix);
                row.cells.push_back(
                    Field{editName(r.controls[c]), column, f.width, Editable, f.exit});
            }
            g.rows.push_back(std::move(row));
        }
        return g;
    }();
    return grid;
}

// Credit page: nine rows of the credit summary.
const Grid &creditGrid() {
    const auto summary = [](const char *name, const char *column) {
        return edit(name, column, 70, Editable, &TForm1::suiDBEdit166Exit);
    };
    static const Grid grid{
        "suiGroupBox5",
        64,
        QStringLiteral(" Kredit "),
        "JvScrollBox3",
        20,
        {{430, 70, {"Label63", 73}}, {508, 70, {"Label64", 74}}},
        {
            {{"Label54", 65}, {kNone, summary("suiDBEdit166", "zavazky")}},
            {{"Label55", 66},
             {edit("suiDBEdit158", "prodej_min", 70, kShown),
              edit("suiDBEdit167", "prodej", 70, kShown)}},
            {{"Label56", 67}, {kNone, summary("suiDBEdit168", "pohledavky")}},
            {{"Label57", 68},
             {edit("suiDBEdit160", "nakup_min", 70), edit("suiDBEdit169", "nakup", 70, kShown)}},
            {{"Label58", 69}, {kNone, edit("suiDBEdit170", "produkce", 70, kShown)}},
            {{"Label59", 70},
             {edit("suiDBEdit162", "zadost_min", 70), summary("suiDBEdit171", "zadost")}},
            {{"Label60", 71}, {kNone, edit("suiDBEdit172", "zajisteni", 70, kShown)}},
            {{"Label61", 86}, {kNone, edit("suiDBEdit173", "zajisteni2", 70)}},
            {{"Label67", 72},
             {kNone, edit("suiDBEdit151", "kredit", 70, NoTabStop, nullptr,
                          &TForm1::suiDBEdit151DblClick)}},
        },
        {},
        {},
    };
    return grid;
}

const std::vector<Note> &creditNotes() {
    static const std::vector<Note> notes{
        {{"Label62", 75}, QStringLiteral("suiDBMemo1"), QStringLiteral("pozn_zajisteni")},
        {{"Label65", 76}, QStringLiteral("suiDBMemo2"), QStringLiteral("pozn_duvod")},
    };
    return notes;
}

const Label kDateLabel{"Label66", 85};
const Field kDateField = edit("JvDBDateEdit1", "priznani", 87);

std::vector<const Field *> allFields() {
    std::vector<const Field *> fields;
    for (const CompanyBox &box : companyBoxes())
        for (const Placed &p : box.items)
            fields.push_back(&p.field);
    for (const Grid *g : {&salesGrid(), &productionGrid(), &creditGrid()}) {
        for (const GridRow &r : g->rows)
            for (const Field &f : r.cells)
                if (!f.name.isEmpty())
                    fields.push_back(&f);
        for (const Field &f : g->totals)
            if (!f.name.isEmpty())
                fields.push_back(&f);
    }
    fields.push_back(&kDateField);
    return fields;
}

QStringList companyTabOrder() {
    return {
        QStringLiteral("suiDBEdit1"),  QStringLiteral("suiDBEdit2"),  QStringLiteral("suiDBEdit3"),
        QStringLiteral("suiDBEdit4"),  QStringLiteral("suiDBEdit5"),  QStringLiteral("suiDBEdit6"),
        QStringLiteral("suiDBEdit7"),  QStringLiteral("suiDBEdit8"),  QStringLiteral("suiDBEdit9"),
        QStringLiteral("suiDBEdit10"), QStringLiteral("suiDBEdit11"), QStringLiteral("suiDBEdit12"),
        QStringLiteral("suiDBEdit13"), QStringLiteral("suiDBEdit14"), QStringLiteral("suiDBEdit16"),
        QStringLiteral("suiDBEdit17"),
    };
}

// Left column rows 1-9, right column rows 1-9, then row 10 left and
// right, row 11 right and left.
QStringList salesTabOrder() {
    return {
        QStringLiteral("suiDBEdit18"),  QStringLiteral("suiDBEdit21"),
        QStringLiteral("suiDBEdit24"),  QStringLiteral("suiDBEdit26"),
        QStringLiteral("suiDBEdit28"),  QStringLiteral("suiDBEdit19"),
        QStringLiteral("suiDBEdit20"),  QStringLiteral("suiDBEdit22"),
        QStringLiteral("suiDBEdit23"),  QStringLiteral("suiDBEdit27"),
        QStringLiteral("suiDBEdit29"),  QStringLiteral("suiDBEdit30"),
        QStringLiteral("suiDBEdit31"),  QStringLiteral("suiDBEdit32"),
        QStringLiteral("suiDBEdit33"),  QStringLiteral("suiDBEdit34"),
        QStringLiteral("suiDBEdit35"),  QStringLiteral("suiDBEdit36"),
        QStringLiteral("suiDBEdit153"), QStringLiteral("suiDBEdit157"),
        QStringLiteral("suiDBEdit159"), QStringLiteral("suiDBEdit161"),
    };
}

// Tab and Enter run down a column.
QStringList productionTabOrder() {
    return columnWise(productionGrid());
}

QStringList creditTabOrder() {
    return {
        QStringLiteral("suiDBEdit166"),  QStringLiteral("suiDBEdit168"),
        QStringLiteral("suiDBEdit160"),  QStringLiteral("suiDBEdit162"),
        QStringLiteral("suiDBEdit171"),  QStringLiteral("suiDBEdit173"),
        QStringLiteral("suiDBMemo1"),    QStringLiteral("suiDBMemo2"),
        QStringLiteral("JvDBDateEdit1"),
    };
}

} // namespace varnok::pages
