#include "printing/exports/sheetlayout.h"

#include "common/formatsettings.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace varnok::exports {

using report::DrawItem;
using report::FillItem;
using report::LineItem;
using report::PreparedPage;
using report::RectItem;
using report::TextRun;

namespace {

constexpr double kColumnTolerance = 2; // points between anchors of one column
constexpr double kRowTolerance = 2;    // points between baselines of one row
constexpr double kLineSpacing = 1.25;  // row height per point of font size
constexpr double kMinColumnWidth = 12; // points
constexpr double kEmptyRowHeight = 12; // points
constexpr double kCellPadding = 6;     // points a cell needs beside its text

struct Placed {
    const TextRun *run;
    double leftEdge = qQNaN();  // nearest vertical edge on its left at its height
    double rightEdge = qQNaN(); // and on its right
    QColor fill;                // the fill behind it; invalid: none
    int row = 0;
    double anchor = 0; // x of the column it belongs to
    bool alignRight = false;

    double left() const { return run->origin.x(); }
    double right() const { return run->origin.x() + run->width; }
};

// A vertical edge of a box or a vertical line: what separates columns.
struct Edge {
    double x, top, bottom;
};

QPointF centreOf(const TextRun &t) {
    return QPointF(t.origin.x() + t.width / 2, t.origin.y() - t.font.size * 0.3);
}

void addBoxEdges(const QRectF &r, std::vector<Edge> &edges) {
    const QRectF n = r.normalized();
    edges.push_back({n.left(), n.top(), n.bottom()});
    edges.push_back({n.right(), n.top(), n.bottom()});
}

// The runs of a page with the edges around them and the last fill drawn
// under their centre.
std::vector<Placed> placeRuns(const PreparedPage &page) {
    std::vector<Edge> edges;
    for (const DrawItem &item : page.items) {
        if (const auto *r = std::get_if<RectItem>(&item)) {
            addBoxEdges(r->rect, edges);
        } else if (const auto *f = std::get_if<FillItem>(&item)) {
            addBoxEdges(f->rect, edges);
        } else if (const auto *l = std::get_if<LineItem>(&item)) {
            if (std::abs(l->from.x() - l->to.x()) < kColumnTolerance)
                edges.push_back(
                    {l->from.x(), qMin(l->from.y(), l->to.y()), qMax(l->from.y(), l->to.y())});
        }
    }
    std::vector<const FillItem *> fills;
    std::vector<Placed> out;
    for (const DrawItem &item : page.items) {
        if (const auto *f = std::get_if<FillItem>(&item)) {
            fills.push_back(f);
            continue;
        }
        const auto *t = std::get_if<TextRun>(&item);
        if (!t || t->text.trimmed().isEmpty())
            continue;
        Placed p;
        p.run = t;
        const QPointF c = centreOf(*t);
        for (const Edge &e : edges) {
            if (c.y() < e.top || c.y() > e.bottom)
                continue;
            if (e.x <= p.left() + kColumnTolerance && (std::isnan(p.leftEdge) || e.x > p.leftEdge))
                p.leftEdge = e.x;
            if (e.x >= p.right() - kColumnTolerance &&
                (std::isnan(p.rightEdge) || e.x < p.rightEdge))
                p.rightEdge = e.x;
        }
        for (auto it = fills.rbegin(); it != fills.rend(); ++it)
            if ((*it)->rect.normalized().contains(c)) {
                p.fill = (*it)->color;
                break;
            }
        out.push_back(p);
    }
    return out;
}

// Whether a number is shown (an amount, a percentage): such texts are
// right-aligned in their columns.
bool looksNumeric(const QString &text) {
    QString t = text.trimmed();
    if (t.endsWith(u'%'))
        t = t.chopped(1).trimmed();
    double v;
    int d;
    bool g;
    return readNumber(t, &v, &d, &g);
}

// Chooses each run's column anchor. A run alone in its box (between the
// edges around it, on its row) belongs to the box's column, so a label and
// its value share one. Otherwise a number anchors at its right end (the
// amounts of a table column end together) and a text at its left end.
void anchorRuns(std::vector<Placed> &row) {
    for (Placed &p : row) {
        bool aloneLeft = !std::isnan(p.leftEdge), aloneRight = !std::isnan(p.rightEdge);
        for (const Placed &o : row) {
            if (&o == &p)
                continue;
            if (aloneLeft && o.left() >= p.leftEdge - kColumnTolerance && o.left() < p.left())
                aloneLeft = false;
            if (aloneRight && o.left() > p.left() && o.right() <= p.rightEdge + kColumnTolerance)
                aloneRight = false;
        }
        const bool numeric = looksNumeric(p.run->text);
        if (aloneLeft && (aloneRight || !numeric)) {
            p.anchor = p.leftEdge;
            p.alignRight = aloneRight && p.rightEdge - p.right() < p.left() - p.leftEdge;
        } else if (numeric) {
            p.anchor = p.right();
            p.alignRight = true;
        } else {
            p.anchor = p.left();
        }
    }
}

// Starts of clusters of sorted values no wider than tolerance.
std::vector<double> clusterStarts(std::vector<double> values, double tolerance) {
    std::sort(values.begin(), values.end());
    std::vector<double> starts;
    for (double v : values)
        if (starts.empty() || v - starts.back() > tolerance)
            starts.push_back(v);
    return starts;
}

int clusterOf(const std::vector<double> &starts, double v) {
    const auto it = std::upper_bound(starts.begin(), starts.end(), v);
    return int(std::max<std::ptrdiff_t>(0, it - starts.begin() - 1));
}

} // namespace

bool readNumber(const QString &text, double *value, int *decimals, bool *grouped) {
    const QChar point = decimalSeparator();
    const QString fraction =
        QStringLiteral("(%1\\d+)?$").arg(QRegularExpression::escape(QString(point)));
    const QRegularExpression plain(QStringLiteral("^-?\\d+") + fraction);
    const QRegularExpression groups(QStringLiteral("^-?\\d{1,3}([ \\x{00A0}\\x{202F}]\\d{3})+") +
                                    fraction);
    const QString t = text.trimmed();
    const bool isGrouped = groups.match(t).hasMatch();
    if (!isGrouped && !plain.match(t).hasMatch())
        return false;
    QString digits = t;
    digits.remove(u' ').remove(QChar(0x00A0)).remove(QChar(0x202F));
    const qsizetype mark = digits.indexOf(point);
    const QString whole = (mark < 0 ? digits : digits.left(mark)).remove(u'-');
    if (whole.size() > 1 && whole.startsWith(u'0'))
        return false; // a code such as a postal number, not a quantity
    if (digits.size() - (mark < 0 ? 0 : 1) - (digits.startsWith(u'-') ? 1 : 0) > 15)
        return false; // beyond what a spreadsheet number holds exactly
    bool ok = false;
    const double v = QString(digits).replace(point, u'.').toDouble(&ok);
    if (!ok)
        return false;
    *value = v;
    *decimals = mark < 0 ? 0 : int(digits.size() - mark - 1);
    *grouped = isGrouped;
    return true;
}

SheetLayout layoutSheet(const report::PreparedReport &report, const SheetOptions &options) {
    SheetLayout out;

    // Rows: runs whose baselines lie close together, page after page.
    std::vector<std::vector<Placed>> pages;
    int row = 0;
    for (const PreparedPage &page : report.pages) {
        out.pageStarts.push_back(row);
        std::vector<Placed> placed = placeRuns(page);
        std::stable_sort(placed.begin(), placed.end(), [](const Placed &a, const Placed &b) {
            return a.run->origin.y() < b.run->origin.y();
        });
        size_t first = 0;
        while (first < placed.size()) {
            const double start = placed[first].run->origin.y();
            size_t end = first;
            double size = 0;
            while (end < placed.size() && placed[end].run->origin.y() - start <= kRowTolerance) {
                placed[end].row = row;
                size = qMax(size, placed[end].run->font.size);
                ++end;
            }
            std::vector<Placed> line(placed.begin() + qsizetype(first),
                                     placed.begin() + qsizetype(end));
            anchorRuns(line);
            std::copy(line.begin(), line.end(), placed.begin() + qsizetype(first));
            out.rowHeights.push_back(size * kLineSpacing);
            ++row;
            if (end < placed.size() && options.emptyLines &&
                placed[end].run->origin.y() - start > 2 * size * kLineSpacing) {
                out.rowHeights.push_back(kEmptyRowHeight);
                ++row;
            }
            first = end;
        }
        pages.push_back(std::move(placed));
    }

    // Columns, shared by all pages.
    std::vector<double> anchors;
    for (const auto &placed : pages)
        for (const Placed &p : placed)
            anchors.push_back(p.anchor);
    const std::vector<double> columns = clusterStarts(anchors, kColumnTolerance);
    out.columnWidths.assign(columns.size(), kMinColumnWidth);
    for (size_t c = 0; c + 1 < columns.size(); ++c)
        out.columnWidths[c] = qMax(kMinColumnWidth, columns[c + 1] - columns[c]);

    for (const auto &placed : pages) {
        std::map<std::pair<int, int>, std::vector<const Placed *>> cells;
        for (const Placed &p : placed)
            cells[{p.row, clusterOf(columns, p.anchor)}].push_back(&p);
        for (auto &[key, runs] : cells) {
            std::sort(runs.begin(), runs.end(),
                      [](const Placed *a, const Placed *b) { return a->left() < b->left(); });
            SheetCell cell;
            cell.row = key.first;
            cell.column = key.second;
            QStringList parts;
            for (const Placed *p : runs)
                parts << p->run->text;
            cell.text = parts.join(u' ');
            const Placed &lead = *runs.front();
            cell.font = lead.run->font;
            cell.color = lead.run->color;
            cell.alignRight = lead.alignRight;
            if (options.background && lead.fill.isValid() && lead.fill != QColor(Qt::white))
                cell.fill = lead.fill;
            // Runs joined into one cell are text: "80 500" and "74 200"
            // side by side are not the number 80500074200.
            if (!options.asText && runs.size() == 1)
                cell.isNumber = readNumber(cell.text, &cell.number, &cell.decimals, &cell.grouped);
            // A number that does not fit its column shows as "###": its
            // column grows to hold it, and the last column to hold its text.
            if (cell.isNumber || size_t(cell.column) + 1 == columns.size()) {
                double &width = out.columnWidths[size_t(cell.column)];
                width = qMax(width, runs.back()->right() - runs.front()->left() + kCellPadding);
            }
            out.cells.push_back(cell);
        }
    }
    return out;
}

} // namespace varnok::exports
