#pragma once

#include "printing/template.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <variant>
#include <vector>

namespace varnok::report {

// The prepared report: per page a display list in points (1/72 inch),
// origin at the page's top-left corner, y growing downwards. The PDF
// writer and the on-screen/printer renderer draw the same list, so the
// preview and the PDF agree line for line.

// The PDF base fonts; the screen draws them with metric-compatible faces.
enum class BaseFont { Helvetica, Times, Courier };

struct RunFont {
    BaseFont base = BaseFont::Helvetica;
    bool bold = false;
    bool italic = false;
    double size = 10; // points
    bool operator==(const RunFont &o) const {
        return base == o.base && bold == o.bold && italic == o.italic && size == o.size;
    }
};

// One line (or, in justified text, one word) already broken and placed.
struct TextRun {
    QPointF origin; // start of the baseline
    QString text;
    RunFont font;
    QColor color = Qt::black;
    double width = 0; // measured advance, points
    bool operator==(const TextRun &o) const {
        return origin == o.origin && text == o.text && font == o.font && color == o.color &&
               width == o.width;
    }
};

struct FillItem {
    QRectF rect;
    QColor color;
    bool operator==(const FillItem &o) const { return rect == o.rect && color == o.color; }
};

struct LineItem {
    QPointF from, to;
    double width = 0.5;
    QColor color = Qt::black;
    bool operator==(const LineItem &o) const {
        return from == o.from && to == o.to && width == o.width && color == o.color;
    }
};

struct RectItem {
    QRectF rect;
    double width = 0.5;
    QColor color = Qt::black;
    bool operator==(const RectItem &o) const {
        return rect == o.rect && width == o.width && color == o.color;
    }
};

using DrawItem = std::variant<FillItem, RectItem, LineItem, TextRun>;

struct PreparedPage {
    QSizeF size; // points, as printed (orientation applied)
    QString paper = QStringLiteral("A4");
    Orientation orientation = Orientation::Portrait;
    std::vector<DrawItem> items; // in drawing order
    bool operator==(const PreparedPage &o) const {
        return size == o.size && paper == o.paper && orientation == o.orientation &&
               items == o.items;
    }
};

struct PreparedReport {
    std::vector<PreparedPage> pages;
    bool isEmpty() const { return pages.empty(); }
    bool operator==(const PreparedReport &o) const { return pages == o.pages; }
};

constexpr double kPointsPerMm = 72.0 / 25.4;
inline double mmToPt(double mm) {
    return mm * kPointsPerMm;
}

} // namespace varnok::report
