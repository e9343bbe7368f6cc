#pragma once

#include "printing/designer/objectgeometry.h"
#include "printing/prepared.h"

#include <QPointF>
#include <QRectF>
#include <QWidget>
#include <vector>

namespace varnok::designer {

class DesignDocument;

// The page being designed, drawn to scale on a grid: objects as they will
// print (texts show their expressions), the margins dashed and the
// selection with its grips. The mouse selects (click, Ctrl+click, a
// rubber band from an empty spot), moves and resizes; the arrow keys move
// the selection and with Shift resize it (Ctrl: in tenths of a
// millimetre). An insert tool draws a new object by dragging or places it
// with a click.
class DesignCanvas : public QWidget {
    Q_OBJECT
public:
    enum class Tool { Select, Text, Line, Rect };

    explicit DesignCanvas(DesignDocument &doc, QWidget *parent = nullptr);

    Tool tool() const { return m_tool; }
    void setTool(Tool tool);

    double zoom() const { return m_zoom; } // percent
    void setZoom(double percent);

    bool gridVisible() const { return m_gridVisible; }
    void setGridVisible(bool visible);
    bool snapToGrid() const { return m_snap; }
    void setSnapToGrid(bool snap) { m_snap = snap; }

    static constexpr double kGridStep = 1;  // mm, what moves snap to
    static constexpr double kGridLines = 5; // mm between the drawn lines
    static constexpr int kBorder = 20;      // pixels around the paper

    double pixelsPerMm() const;
    // Widget pixels and millimetres from the printable area's corner.
    QPointF toMm(const QPointF &widgetPos) const;
    QPointF toWidget(const QPointF &mm) const;
    // The topmost object under a point, or -1.
    int objectAt(const QPointF &widgetPos) const;

    QSize sizeHint() const override;

signals:
    void editTextRequested(int index);
    void toolChanged(Tool tool);
    void cursorMoved(const QPointF &mm);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    enum class Drag { None, Move, Resize, Band, Create };

    void rebuild();
    void drawGrid(QPainter &p, const QRectF &area) const;
    void drawSelection(QPainter &p) const;
    Handle handleAt(const QPointF &widgetPos) const;
    QPointF snapped(const QPointF &deltaMm) const;
    QPointF snappedPoint(const QPointF &mm) const;
    void finishCreate(const QPointF &endMm, Qt::KeyboardModifiers mods);
    void updateCursor(const QPointF &widgetPos);
    QRectF pageRectPx() const;

    DesignDocument &m_doc;
    Tool m_tool = Tool::Select;
    double m_zoom = 100;
    bool m_gridVisible = true;
    bool m_snap = true;

    report::PreparedPage m_display; // the objects drawn, in points
    Drag m_drag = Drag::None;
    QPointF m_pressPx, m_pressMm, m_currentPx;
    Handle m_handle = Handle::None;
    int m_handleObject = -1;
    report::ReportObject m_handleOriginal;
    std::vector<int> m_bandBase; // selection a Ctrl rubber band adds to
};

} // namespace varnok::designer
