#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <variant>
#include <vector>

namespace varnok::report {

// The report model as the template file describes it. Lengths are in
// millimetres; object positions count from the top-left corner of the
// page's printable area (inside the margins). Font sizes are in points.

enum class HAlign { Left, Center, Right, Justify };
enum class VAlign { Top, Center, Bottom };
enum class Orientation { Portrait, Landscape };

struct FontSpec {
    QString family = QStringLiteral("Helvetica");
    double size = 10;
    bool bold = false;
    bool italic = false;
    bool operator==(const FontSpec &o) const {
        return family == o.family && size == o.size && bold == o.bold && italic == o.italic;
    }
};

struct Frame {
    bool left = false, top = false, right = false, bottom = false;
    double width = 0.5; // points
    QColor color = Qt::black;
    bool any() const { return left || top || right || bottom; }
    bool operator==(const Frame &o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom &&
               width == o.width && color == o.color;
    }
};

struct TextObject {
    QString name;
    QRectF rect; // mm
    // Literal text mixed with expressions in square brackets.
    QString text;
    FontSpec font;
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Top;
    bool wordWrap = false;
    // Reduce the font (down to a floor) until the text fits the box.
    bool shrinkToFit = false;
    // Number format for expressions that yield numbers: empty prints them
    // as they come; "n<d>" groups thousands and shows d decimals.
    QString numberFormat;
    Frame frame;
    QColor fill;              // invalid: transparent
    QColor color = Qt::black; // text colour
    double paddingX = 0.8;    // mm, left and right
    double paddingY = 0.4;    // mm, top and bottom
    bool operator==(const TextObject &o) const;
};

struct LineObject {
    QString name;
    QPointF from, to;   // mm
    double width = 0.5; // points
    QColor color = Qt::black;
    bool operator==(const LineObject &o) const {
        return name == o.name && from == o.from && to == o.to && width == o.width &&
               color == o.color;
    }
};

struct RectObject {
    QString name;
    QRectF rect;            // mm
    double lineWidth = 0.5; // points; 0: no outline
    QColor lineColor = Qt::black;
    QColor fill; // invalid: transparent
    bool operator==(const RectObject &o) const {
        return name == o.name && rect == o.rect && lineWidth == o.lineWidth &&
               lineColor == o.lineColor && fill == o.fill;
    }
};

using ReportObject = std::variant<TextObject, LineObject, RectObject>;

struct Margins {
    double left = 10, top = 10, right = 10, bottom = 10;
    bool operator==(const Margins &o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

struct Page {
    QString name;
    QString paper = QStringLiteral("A4"); // A4, A5, A3, Letter, Legal or "custom"
    QSizeF size = QSizeF(210, 297);       // mm, portrait measures
    Orientation orientation = Orientation::Portrait;
    Margins margins;
    std::vector<ReportObject> objects; // drawn in this order

    // The page as printed: width and height after the orientation.
    QSizeF orientedSize() const;
    bool operator==(const Page &o) const {
        return name == o.name && paper == o.paper && size == o.size &&
               orientation == o.orientation && margins == o.margins && objects == o.objects;
    }
};

struct Variable {
    QString name;
    QString value; // an expression, or literal text when it holds CR LF
    bool operator==(const Variable &o) const { return name == o.name && value == o.value; }
};

struct Template {
    std::vector<Page> pages;
    std::vector<Variable> variables;
    bool isEmpty() const { return pages.empty() && variables.empty(); }
    bool operator==(const Template &o) const {
        return pages == o.pages && variables == o.variables;
    }
};

// Paper sizes by name, portrait, in mm; an unknown name gives an invalid size.
QSizeF paperSize(const QString &name);

} // namespace varnok::report
