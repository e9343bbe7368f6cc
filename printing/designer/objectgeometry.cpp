#include "printing/designer/objectgeometry.h"

#include <QLineF>
#include <cmath>

namespace varnok::designer {

using report::LineObject;
using report::RectObject;
using report::ReportObject;
using report::TextObject;

namespace {

// Calls f with the box of a text or rectangle, or g with the line.
template <class Box, class Line> auto onShape(ReportObject &o, Box f, Line g) {
    if (auto *t = std::get_if<TextObject>(&o))
        return f(t->rect);
    if (auto *r = std::get_if<RectObject>(&o))
        return f(r->rect);
    return g(std::get<LineObject>(o));
}

double distanceToSegment(const QPointF &p, const QPointF &a, const QPointF &b) {
    const QPointF ab = b - a;
    const double len2 = QPointF::dotProduct(ab, ab);
    if (len2 <= 0)
        return QLineF(p, a).length();
    const double t = qBound(0.0, QPointF::dotProduct(p - a, ab) / len2, 1.0);
    return QLineF(p, a + t * ab).length();
}

} // namespace

QRectF bounds(const ReportObject &object) {
    if (const auto *l = std::get_if<LineObject>(&object))
        return QRectF(l->from, l->to).normalized();
    return geometryOf(object);
}

QRectF geometryOf(const ReportObject &object) {
    if (const auto *t = std::get_if<TextObject>(&object))
        return t->rect;
    if (const auto *r = std::get_if<RectObject>(&object))
        return r->rect;
    const auto &l = std::get<LineObject>(object);
    return QRectF(l.from, QSizeF(l.to.x() - l.from.x(), l.to.y() - l.from.y()));
}

void setGeometryOf(ReportObject &object, const QRectF &g) {
    onShape(
        object, [&](QRectF &rect) { rect = g; },
        [&](LineObject &l) {
            l.from = g.topLeft();
            l.to = g.topLeft() + QPointF(g.width(), g.height());
        });
}

void moveBy(ReportObject &object, const QPointF &delta) {
    onShape(
        object, [&](QRectF &rect) { rect.translate(delta); },
        [&](LineObject &l) {
            l.from += delta;
            l.to += delta;
        });
}

void growBy(ReportObject &object, const QPointF &delta) {
    onShape(
        object,
        [&](QRectF &rect) {
            rect.setWidth(qMax(0.0, rect.width() + delta.x()));
            rect.setHeight(qMax(0.0, rect.height() + delta.y()));
        },
        [&](LineObject &l) { l.to += delta; });
}

std::vector<HandlePos> handles(const ReportObject &object) {
    if (const auto *l = std::get_if<LineObject>(&object))
        return {{Handle::LineStart, l->from}, {Handle::LineEnd, l->to}};
    const QRectF r = geometryOf(object);
    const double cx = r.center().x(), cy = r.center().y();
    return {
        {Handle::TopLeft, r.topLeft()},         {Handle::Top, {cx, r.top()}},
        {Handle::TopRight, r.topRight()},       {Handle::Right, {r.right(), cy}},
        {Handle::BottomRight, r.bottomRight()}, {Handle::Bottom, {cx, r.bottom()}},
        {Handle::BottomLeft, r.bottomLeft()},   {Handle::Left, {r.left(), cy}},
    };
}

ReportObject dragHandle(const ReportObject &original, Handle handle, const QPointF &delta,
                        double minSize) {
    ReportObject o = original;
    if (auto *l = std::get_if<LineObject>(&o)) {
        if (handle == Handle::LineStart)
            l->from += delta;
        else if (handle == Handle::LineEnd)
            l->to += delta;
        return o;
    }
    QRectF r = geometryOf(o);
    const bool left =
        handle == Handle::TopLeft || handle == Handle::Left || handle == Handle::BottomLeft;
    const bool right =
        handle == Handle::TopRight || handle == Handle::Right || handle == Handle::BottomRight;
    const bool top =
        handle == Handle::TopLeft || handle == Handle::Top || handle == Handle::TopRight;
    const bool bottom =
        handle == Handle::BottomLeft || handle == Handle::Bottom || handle == Handle::BottomRight;
    if (left)
        r.setLeft(qMin(r.left() + delta.x(), r.right() - minSize));
    if (right)
        r.setRight(qMax(r.right() + delta.x(), r.left() + minSize));
    if (top)
        r.setTop(qMin(r.top() + delta.y(), r.bottom() - minSize));
    if (bottom)
        r.setBottom(qMax(r.bottom() + delta.y(), r.top() + minSize));
    setGeometryOf(o, r);
    return o;
}

bool hits(const ReportObject &object, const QPointF &point, double tolerance) {
    if (const auto *l = std::get_if<LineObject>(&object))
        return distanceToSegment(point, l->from, l->to) <= tolerance;
    return geometryOf(object)
        .normalized()
        .adjusted(-tolerance / 2, -tolerance / 2, tolerance / 2, tolerance / 2)
        .contains(point);
}

QString nameOf(const ReportObject &object) {
    return std::visit([](const auto &o) { return o.name; }, object);
}

void setNameOf(ReportObject &object, const QString &name) {
    std::visit([&](auto &o) { o.name = name; }, object);
}

QString kindName(const ReportObject &object) {
    if (std::holds_alternative<TextObject>(object))
        return QStringLiteral("Text");
    if (std::holds_alternative<LineObject>(object))
        return QStringLiteral("Čára");
    return QStringLiteral("Obdélník");
}

QString freeName(const report::Page &page, const QString &prefix) {
    for (int n = 1;; ++n) {
        const QString candidate = prefix + QString::number(n);
        bool taken = false;
        for (const ReportObject &o : page.objects)
            taken = taken || nameOf(o).compare(candidate, Qt::CaseInsensitive) == 0;
        if (!taken)
            return candidate;
    }
}

report::FontSpec defaultFont() {
    report::FontSpec f;
    f.family = QStringLiteral("Tahoma");
    f.size = 13 * 72.0 / 96.0; // 9.75 pt
    return f;
}

} // namespace varnok::designer
