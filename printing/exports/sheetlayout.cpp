#include "printing/exports/sheetlayout.h"

#include <QRegularExpression>
#include <algorithm>
#include <map>

namespace varnok::exports {

using report::DrawItem;
using report::FillItem;
using report::PreparedPage;
using report::RectItem;
using report::TextRun;

namespace {

constexpr double kColumnTolerance = 2; // points between anchors of one column
constexpr double kRowTolerance = 2;    // points between baselines of one row
constexpr double kLineSpacing = 1.25;  // row height per point of font size
constexpr double kMinColumnWidth = 12; // points
constexpr double kEmptyRowHeight = 12; // points

struct Placed {
    const TextRun *run;
    double anchor;   // x of the column it belongs to
    QRectF box;      // the box it sits in; invalid: none
    QColor fill;     // the fill behind it; invalid: none
    int page;
};

QPointF centreOf(const TextRun &t) {
    return QPointF(t.origin.x() + t.width / 2, t.origin.y() - t.font.size * 0.3);
}

// The boxes and fills a page draws, and for each run the smallest box and
// the last fill under its centre.
std::vector<Placed> placeRuns(const PreparedPage &page, int pageIndex) {
    std::vector<QRectF> boxes;
    std::vector<const FillItem *> fills;
    std::vector<Placed> out;
    for (const DrawItem &item : page.items) {
        if (const auto *r = std::get_if<RectItem>(&item)) {
            boxes.push_back(r->rect.normalized());
        } else if (const auto *f = std::get_if<FillItem>(&item)) {
            boxes.push_back(f->rect.normalized());
            fills.push_back(f);
        } else if (const auto *t = std::get_if<TextRun>(&item)) {
            if (t->text.trimmed().isEmpty())
                continue;
            const QPointF c = centreOf(*t);
            Placed p{t, t->origin.x(), QRectF(), QColor(), pageIndex};
            for (const QRectF &b : boxes)
                if (b.contains(c) && (!p.box.isValid() || b.width() * b.height() <
                                                              p.box.width() * p.box.height()))
                    p.box = b;
            for (auto it = fills.rbegin(); it != fills.rend(); ++it)
                if ((*it)->rect.normalized().contains(c)) {
                    p.fill = (*it)->color;
                    break;
                }
            if (p.box.isValid())
                p.anchor = p.box.left();
            out.push_back(p);
        }
    }
    return out;
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

bool isRightAligned(const Placed &p) {
    if (!p.box.isValid())
        return false;
    const double before = p.run->origin.x() - p.box.left();
    const double after = p.box.right() - (p.run->origin.x() + p.run->width);
    return after < before;
}

} // namespace

bool readNumber(const QString &text, double *value, int *decimals, bool *grouped) {
    static const QRegularExpression plain(QStringLiteral("^-?\\d+(,\\d+)?$"));
    static const QRegularExpression groups(
        QStringLiteral("^-?\\d{1,3}([ \\x{00A0}\\x{202F}]\\d{3})+(,\\d+)?$"));
    const QString t = text.trimmed();
    const bool isGrouped = groups.match(t).hasMatch();
    if (!isGrouped && !plain.match(t).hasMatch())
        return false;
    QString digits = t;
    digits.remove(u' ').remove(QChar(0x00A0)).remove(QChar(0x202F));
    const qsizetype comma = digits.indexOf(u',');
    const QString whole = (comma < 0 ? digits : digits.left(comma)).remove(u'-');
    if (whole.size() > 1 && whole.startsWith(u'0'))
        return false; // a code such as a postal number, not a quantity
    if (digits.size() - (comma < 0 ? 0 : 1) - (digits.startsWith(u'-') ? 1 : 0) > 15)
        return false; // beyond what a spreadsheet number holds exactly
    bool ok = false;
    const double v = QString(digits).replace(u',', u'.').toDouble(&ok);
    if (!ok)
        return false;
    *value = v;
    *decimals = comma < 0 ? 0 : int(digits.size() - comma - 1);
    *grouped = isGrouped;
    return true;
}

SheetLayout layoutSheet(const report::PreparedReport &report, const SheetOptions &options) {
    SheetLayout out;
    std::vector<std::vector<Placed>> pages;
    std::vector<double> anchors;
    for (int i = 0; i < int(report.pages.size()); ++i) {
        pages.push_back(placeRuns(report.pages[size_t(i)], i));
        for (const Placed &p : pages.back())
            anchors.push_back(p.anchor);
    }

    // Columns, shared by all pages.
    const std::vector<double> columns = clusterStarts(anchors, kColumnTolerance);
    out.columnWidths.assign(columns.size(), kMinColumnWidth);
    for (size_t c = 0; c + 1 < columns.size(); ++c)
        out.columnWidths[c] = qMax(kMinColumnWidth, columns[c + 1] - columns[c]);

    int row = 0;
    for (std::vector<Placed> &placed : pages) {
        out.pageStarts.push_back(row);
        std::stable_sort(placed.begin(), placed.end(), [](const Placed &a, const Placed &b) {
            return a.run->origin.y() < b.run->origin.y();
        });
        // Rows: runs whose baselines lie close together.
        std::map<std::pair<int, int>, std::vector<const Placed *>> cells;
        double rowStart = 0, rowSize = 0;
        bool first = true;
        for (const Placed &p : placed) {
            const double y = p.run->origin.y();
            if (first || y - rowStart > kRowTolerance) {
                if (!first) {
                    out.rowHeights.push_back(rowSize * kLineSpacing);
                    ++row;
                    if (options.emptyLines && y - rowStart > 2 * rowSize * kLineSpacing) {
                        out.rowHeights.push_back(kEmptyRowHeight);
                        ++row;
                    }
                }
                rowStart = y;
                rowSize = 0;
                first = false;
            }
            rowSize = qMax(rowSize, p.run->font.size);
            cells[{row, clusterOf(columns, p.anchor)}].push_back(&p);
        }
        if (!first) {
            out.rowHeights.push_back(rowSize * kLineSpacing);
            ++row;
        }

        for (auto &[key, runs] : cells) {
            std::sort(runs.begin(), runs.end(), [](const Placed *a, const Placed *b) {
                return a->run->origin.x() < b->run->origin.x();
            });
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
            cell.alignRight = isRightAligned(lead);
            if (options.background && lead.fill.isValid() && lead.fill != QColor(Qt::white))
                cell.fill = lead.fill;
            if (!options.asText)
                cell.isNumber = readNumber(cell.text, &cell.number, &cell.decimals, &cell.grouped);
            // The last column is as wide as its widest text.
            if (size_t(cell.column) + 1 == columns.size())
                for (const Placed *p : runs)
                    out.columnWidths.back() = qMax(out.columnWidths.back(),
                                                   p->run->origin.x() + p->run->width -
                                                       columns.back() + 4);
            out.cells.push_back(cell);
        }
    }
    return out;
}

} // namespace varnok::exports
