#pragma once

#include "printing/template.h"

#include <QPointF>
#include <QRectF>
#include <QString>

namespace varnok::designer {

// Where an object sits and how the mouse and the keys reshape it. All
// lengths in millimetres inside the page's printable area.

// The box the object occupies (a line's box may be flat).
QRectF bounds(const report::ReportObject &object);

// The geometry the properties panel shows: position and size of a text or
// rectangle; for a line its start and the way to its end (w, h may be
// negative).
QRectF geometryOf(const report::ReportObject &object);
void setGeometryOf(report::ReportObject &object, const QRectF &geometry);

void moveBy(report::ReportObject &object, const QPointF &delta);

// Grows or shrinks width and height by delta, keeping the top-left corner
// (a line keeps its start and moves its end).
void growBy(report::ReportObject &object, const QPointF &delta);

// The grips of a selected object.
enum class Handle {
    None,
    TopLeft,
    Top,
    TopRight,
    Right,
    BottomRight,
    Bottom,
    BottomLeft,
    Left,
    LineStart,
    LineEnd,
};

// The grips an object offers, with their positions.
struct HandlePos {
    Handle handle;
    QPointF pos;
};
std::vector<HandlePos> handles(const report::ReportObject &object);

// Drags a grip of the object as it was before the drag by delta. A box
// never gets smaller than minSize; dragging a side across the opposite one
// stops there.
report::ReportObject dragHandle(const report::ReportObject &original, Handle handle,
                                const QPointF &delta, double minSize);

// Whether the point (mm) touches the object: inside a box, or within
// tolerance of a line.
bool hits(const report::ReportObject &object, const QPointF &point, double tolerance);

QString nameOf(const report::ReportObject &object);
void setNameOf(report::ReportObject &object, const QString &name);

// "Text", "Čára", "Obdélník"
QString kindName(const report::ReportObject &object);

// The first free name of prefix + number on the page ("Text1", "Text2" ...).
QString freeName(const report::Page &page, const QString &prefix);

// The font new objects and new reports start with: Tahoma, 13 pixels high
// on the 96-dpi screen the template was drawn on; Tahoma prints with the
// sans base font.
report::FontSpec defaultFont();

} // namespace varnok::designer
