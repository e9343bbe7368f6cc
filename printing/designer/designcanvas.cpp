#include "printing/designer/designcanvas.h"

#include "printing/designer/designdocument.h"
#include "printing/designer/designedits.h"
#include "printing/prepare.h"
#include "printing/render.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace varnok::designer {

using report::ReportObject;

namespace {

constexpr int kHandleSize = 7;   // pixels
constexpr double kMinSizeMm = 1; // smallest box a grip drag leaves
constexpr double kClickMm = 1.5; // a create drag shorter than this is a click
const QColor kSelection(0, 120, 215);

QRectF toPoints(const QRectF &mm, const report::Margins &m) {
    return QRectF(report::mmToPt(mm.x() + m.left), report::mmToPt(mm.y() + m.top),
                  report::mmToPt(mm.width()), report::mmToPt(mm.height()));
}

QPointF toPoints(const QPointF &mm, const report::Margins &m) {
    return QPointF(report::mmToPt(mm.x() + m.left), report::mmToPt(mm.y() + m.top));
}

// The display list of the page as designed: what prepare() draws for each
// object, with texts showing their expressions unevaluated.
report::PreparedPage designDisplay(const report::Page &page) {
    report::PreparedPage out;
    const QSizeF mm = page.orientedSize();
    out.size = QSizeF(report::mmToPt(mm.width()), report::mmToPt(mm.height()));
    for (const ReportObject &o : page.objects) {
        if (const auto *t = std::get_if<report::TextObject>(&o)) {
            report::layoutText(*t, t->text, toPoints(t->rect, page.margins), out.items);
        } else if (const auto *l = std::get_if<report::LineObject>(&o)) {
            out.items.emplace_back(report::LineItem{toPoints(l->from, page.margins),
                                                    toPoints(l->to, page.margins), l->width,
                                                    l->color});
        } else if (const auto *r = std::get_if<report::RectObject>(&o)) {
            const QRectF box = toPoints(r->rect, page.margins);
            if (r->fill.isValid())
                out.items.emplace_back(report::FillItem{box, r->fill});
            if (r->lineWidth > 0)
                out.items.emplace_back(report::RectItem{box, r->lineWidth, r->lineColor});
        }
    }
    return out;
}

// Objects that print no outline get a faint dotted one, so that empty
// texts and invisible boxes can be found and grabbed.
bool needsGuide(const ReportObject &o) {
    if (const auto *t = std::get_if<report::TextObject>(&o))
        return !(t->frame.left && t->frame.top && t->frame.right && t->frame.bottom);
    if (const auto *r = std::get_if<report::RectObject>(&o))
        return r->lineWidth <= 0 && !r->fill.isValid();
    return false;
}

Qt::CursorShape cursorFor(Handle h) {
    switch (h) {
    case Handle::TopLeft:
    case Handle::BottomRight:
        return Qt::SizeFDiagCursor;
    case Handle::TopRight:
    case Handle::BottomLeft:
        return Qt::SizeBDiagCursor;
    case Handle::Top:
    case Handle::Bottom:
        return Qt::SizeVerCursor;
    case Handle::Left:
    case Handle::Right:
        return Qt::SizeHorCursor;
    case Handle::LineStart:
    case Handle::LineEnd:
        return Qt::CrossCursor;
    case Handle::None:
        break;
    }
    return Qt::ArrowCursor;
}

} // namespace

DesignCanvas::DesignCanvas(DesignDocument &doc, QWidget *parent) : QWidget(parent), m_doc(doc) {
    setObjectName(QStringLiteral("canvas"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&m_doc, &DesignDocument::changed, this, &DesignCanvas::rebuild);
    connect(&m_doc, &DesignDocument::pageChanged, this, &DesignCanvas::rebuild);
    connect(&m_doc, &DesignDocument::selectionChanged, this, qOverload<>(&QWidget::update));
    rebuild();
}

void DesignCanvas::setTool(Tool tool) {
    if (tool == m_tool)
        return;
    m_tool = tool;
    setCursor(tool == Tool::Select ? Qt::ArrowCursor : Qt::CrossCursor);
    emit toolChanged(tool);
}

void DesignCanvas::setZoom(double percent) {
    m_zoom = qBound(25.0, percent, 400.0);
    resize(sizeHint());
    updateGeometry();
    update();
}

void DesignCanvas::setGridVisible(bool visible) {
    m_gridVisible = visible;
    update();
}

double DesignCanvas::pixelsPerMm() const {
    return m_zoom / 100.0 * logicalDpiX() / 25.4;
}

QRectF DesignCanvas::pageRectPx() const {
    const QSizeF mm = m_doc.page().orientedSize();
    return QRectF(kBorder, kBorder, mm.width() * pixelsPerMm(), mm.height() * pixelsPerMm());
}

QPointF DesignCanvas::toMm(const QPointF &pos) const {
    const report::Margins &m = m_doc.page().margins;
    return (pos - QPointF(kBorder, kBorder)) / pixelsPerMm() - QPointF(m.left, m.top);
}

QPointF DesignCanvas::toWidget(const QPointF &mm) const {
    const report::Margins &m = m_doc.page().margins;
    return (mm + QPointF(m.left, m.top)) * pixelsPerMm() + QPointF(kBorder, kBorder);
}

QSize DesignCanvas::sizeHint() const {
    const QRectF page = pageRectPx();
    return QSize(int(std::ceil(page.right())) + kBorder, int(std::ceil(page.bottom())) + kBorder);
}

void DesignCanvas::rebuild() {
    m_display = designDisplay(m_doc.page());
    resize(sizeHint());
    update();
}

int DesignCanvas::objectAt(const QPointF &widgetPos) const {
    const QPointF mm = toMm(widgetPos);
    const double tolerance = 4 / pixelsPerMm();
    const auto &objects = m_doc.page().objects;
    for (int i = int(objects.size()) - 1; i >= 0; --i)
        if (hits(objects[size_t(i)], mm, tolerance))
            return i;
    return -1;
}

Handle DesignCanvas::handleAt(const QPointF &widgetPos) const {
    if (m_doc.selection().size() != 1)
        return Handle::None;
    const ReportObject *o = m_doc.object(m_doc.selection().front());
    if (!o)
        return Handle::None;
    for (const HandlePos &h : handles(*o)) {
        const QPointF c = toWidget(h.pos);
        if (std::abs(c.x() - widgetPos.x()) <= kHandleSize &&
            std::abs(c.y() - widgetPos.y()) <= kHandleSize)
            return h.handle;
    }
    return Handle::None;
}

QPointF DesignCanvas::snapped(const QPointF &d) const {
    if (!m_snap)
        return d;
    return QPointF(std::round(d.x() / kGridStep) * kGridStep,
                   std::round(d.y() / kGridStep) * kGridStep);
}

QPointF DesignCanvas::snappedPoint(const QPointF &mm) const {
    return snapped(mm);
}

// --- painting ------------------------------------------------------------

void DesignCanvas::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), QColor(128, 128, 128));
    const QRectF page = pageRectPx();
    p.fillRect(page.translated(3, 3), QColor(80, 80, 80));
    p.fillRect(page, Qt::white);

    const report::Page &pg = m_doc.page();
    const double s = pixelsPerMm();
    const QSizeF paperMm = pg.orientedSize();
    const QRectF area(page.left() + pg.margins.left * s, page.top() + pg.margins.top * s,
                      (paperMm.width() - pg.margins.left - pg.margins.right) * s,
                      (paperMm.height() - pg.margins.top - pg.margins.bottom) * s);
    if (m_gridVisible)
        drawGrid(p, area);
    p.setPen(QPen(QColor(150, 150, 150), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(area);

    // The objects as they print.
    p.save();
    p.translate(page.topLeft());
    p.scale(s / report::kPointsPerMm, s / report::kPointsPerMm);
    report::renderPage(p, m_display);
    p.restore();

    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(170, 170, 170), 1, Qt::DotLine));
    for (const ReportObject &o : pg.objects)
        if (needsGuide(o))
            p.drawRect(QRectF(toWidget(bounds(o).topLeft()), toWidget(bounds(o).bottomRight())));

    drawSelection(p);

    if (m_drag == Drag::Band || m_drag == Drag::Create) {
        QRectF band = QRectF(m_pressPx, m_currentPx).normalized();
        if (m_drag == Drag::Create && m_tool == Tool::Line) {
            p.setPen(QPen(kSelection, 1));
            p.drawLine(m_pressPx, m_currentPx);
        } else {
            p.setPen(QPen(kSelection, 1, m_drag == Drag::Band ? Qt::DashLine : Qt::SolidLine));
            p.setBrush(QColor(0, 120, 215, 40));
            p.drawRect(band);
        }
    }
}

void DesignCanvas::drawGrid(QPainter &p, const QRectF &area) const {
    const double step = kGridLines * pixelsPerMm();
    if (step < 4)
        return;
    const QColor minor(235, 238, 244), major(215, 221, 232);
    int n = 0;
    for (double x = area.left(); x <= area.right() + 0.5; x += step, ++n) {
        p.setPen(n % 2 ? minor : major);
        p.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    }
    n = 0;
    for (double y = area.top(); y <= area.bottom() + 0.5; y += step, ++n) {
        p.setPen(n % 2 ? minor : major);
        p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
}

void DesignCanvas::drawSelection(QPainter &p) const {
    const bool single = m_doc.selection().size() == 1;
    for (int i : m_doc.selection()) {
        const ReportObject *o = m_doc.object(i);
        if (!o)
            continue;
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kSelection, 1, Qt::DashLine));
        if (const auto *l = std::get_if<report::LineObject>(o))
            p.drawLine(toWidget(l->from), toWidget(l->to));
        else
            p.drawRect(QRectF(toWidget(bounds(*o).topLeft()), toWidget(bounds(*o).bottomRight())));
        p.setPen(QPen(kSelection, 1));
        p.setBrush(single ? QBrush(Qt::white) : QBrush(kSelection));
        for (const HandlePos &h : handles(*o)) {
            if (!single && (h.handle == Handle::Top || h.handle == Handle::Bottom ||
                            h.handle == Handle::Left || h.handle == Handle::Right))
                continue;
            const QPointF c = toWidget(h.pos);
            const double half = single ? kHandleSize / 2.0 : 2;
            p.drawRect(QRectF(c.x() - half, c.y() - half, 2 * half, 2 * half));
        }
    }
}

// --- mouse -----------------------------------------------------------------

void DesignCanvas::mousePressEvent(QMouseEvent *event) {
    setFocus(Qt::MouseFocusReason);
    const QPointF pos = event->position();
    m_pressPx = m_currentPx = pos;
    m_pressMm = toMm(pos);
    const bool ctrl = event->modifiers() & Qt::ControlModifier;

    if (event->button() == Qt::RightButton) {
        const int hit = objectAt(pos);
        if (hit >= 0 && !m_doc.isSelected(hit))
            m_doc.setSelection({hit});
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;

    if (m_tool != Tool::Select) {
        m_pressMm = snappedPoint(m_pressMm);
        m_pressPx = m_currentPx = toWidget(m_pressMm);
        m_drag = Drag::Create;
        return;
    }
    if (!ctrl) {
        const Handle h = handleAt(pos);
        if (h != Handle::None) {
            m_handle = h;
            m_handleObject = m_doc.selection().front();
            m_handleOriginal = *m_doc.object(m_handleObject);
            m_drag = Drag::Resize;
            m_doc.beginLive();
            return;
        }
    }
    const int hit = objectAt(pos);
    if (ctrl) {
        if (hit >= 0) {
            std::vector<int> sel = m_doc.selection();
            if (m_doc.isSelected(hit))
                sel.erase(std::find(sel.begin(), sel.end(), hit));
            else
                sel.push_back(hit);
            m_doc.setSelection(sel);
        } else {
            m_bandBase = m_doc.selection();
            m_drag = Drag::Band;
        }
        return;
    }
    if (hit < 0) {
        m_bandBase.clear();
        m_doc.setSelection({});
        m_drag = Drag::Band;
        return;
    }
    if (!m_doc.isSelected(hit))
        m_doc.setSelection({hit});
    m_drag = Drag::Move;
    m_doc.beginLive();
}

void DesignCanvas::mouseMoveEvent(QMouseEvent *event) {
    const QPointF pos = event->position();
    m_currentPx = pos;
    const QPointF mm = toMm(pos);
    emit cursorMoved(mm);
    switch (m_drag) {
    case Drag::None:
        updateCursor(pos);
        return;
    case Drag::Move: {
        const QPointF delta = snapped(mm - m_pressMm);
        m_doc.live([&](DesignState &s) {
            auto &objects = s.templ.pages[size_t(s.page)].objects;
            for (int i : s.selection)
                moveBy(objects[size_t(i)], delta);
        });
        return;
    }
    case Drag::Resize: {
        const QPointF delta = snapped(mm - m_pressMm);
        m_doc.live([&](DesignState &s) {
            s.templ.pages[size_t(s.page)].objects[size_t(m_handleObject)] =
                dragHandle(m_handleOriginal, m_handle, delta, kMinSizeMm);
        });
        return;
    }
    case Drag::Create:
        m_currentPx = toWidget(snappedPoint(mm));
        update();
        return;
    case Drag::Band: {
        const QRectF band = QRectF(toMm(m_pressPx), mm).normalized();
        std::vector<int> sel = m_bandBase;
        const auto &objects = m_doc.page().objects;
        for (int i = 0; i < int(objects.size()); ++i) {
            const QRectF b = bounds(objects[size_t(i)]);
            // A flat line's box has no area: grow it so it can meet the band.
            if (band.intersects(b.adjusted(-0.01, -0.01, 0.01, 0.01)))
                sel.push_back(i);
        }
        m_doc.setSelection(sel);
        update();
        return;
    }
    }
}

void DesignCanvas::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton)
        return;
    const Drag drag = m_drag;
    m_drag = Drag::None;
    switch (drag) {
    case Drag::Move:
        m_doc.commitLive(QStringLiteral("Přesunutí"));
        break;
    case Drag::Resize:
        m_doc.commitLive(QStringLiteral("Změna velikosti"));
        break;
    case Drag::Create:
        finishCreate(snappedPoint(toMm(event->position())), event->modifiers());
        break;
    case Drag::Band:
    case Drag::None:
        break;
    }
    update();
}

void DesignCanvas::finishCreate(const QPointF &endMm, Qt::KeyboardModifiers mods) {
    const QPointF start = m_pressMm;
    QPointF end = endMm;
    const bool click =
        std::abs(end.x() - start.x()) < kClickMm && std::abs(end.y() - start.y()) < kClickMm;
    ReportObject object;
    switch (m_tool) {
    case Tool::Text:
        object = newText(click ? QRectF(start, QSizeF(50, 5)) : QRectF(start, end).normalized());
        break;
    case Tool::Line:
        if (click)
            end = start + QPointF(50, 0);
        else if (mods & Qt::ShiftModifier) { // straight across or down
            if (std::abs(end.x() - start.x()) >= std::abs(end.y() - start.y()))
                end.setY(start.y());
            else
                end.setX(start.x());
        }
        object = newLine(start, end);
        break;
    case Tool::Rect:
        object = newRect(click ? QRectF(start, QSizeF(40, 20)) : QRectF(start, end).normalized());
        break;
    case Tool::Select:
        return;
    }
    insertObjects(m_doc, {object}, QStringLiteral("Vložení: %1").arg(kindName(object)));
    setTool(Tool::Select);
}

void DesignCanvas::mouseDoubleClickEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton || m_tool != Tool::Select)
        return;
    const int hit = objectAt(event->position());
    if (hit >= 0 && std::holds_alternative<report::TextObject>(*m_doc.object(hit))) {
        m_doc.setSelection({hit});
        emit editTextRequested(hit);
    }
}

void DesignCanvas::updateCursor(const QPointF &pos) {
    if (m_tool != Tool::Select) {
        setCursor(Qt::CrossCursor);
        return;
    }
    const Handle h = handleAt(pos);
    if (h != Handle::None)
        setCursor(cursorFor(h));
    else if (objectAt(pos) >= 0)
        setCursor(Qt::SizeAllCursor);
    else
        setCursor(Qt::ArrowCursor);
}

// --- keys ------------------------------------------------------------------

void DesignCanvas::keyPressEvent(QKeyEvent *event) {
    QPointF d;
    switch (event->key()) {
    case Qt::Key_Left:
        d = {-1, 0};
        break;
    case Qt::Key_Right:
        d = {1, 0};
        break;
    case Qt::Key_Up:
        d = {0, -1};
        break;
    case Qt::Key_Down:
        d = {0, 1};
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_doc.selection().size() == 1 &&
            std::holds_alternative<report::TextObject>(*m_doc.object(m_doc.selection().front()))) {
            emit editTextRequested(m_doc.selection().front());
            event->accept();
        } else {
            QWidget::keyPressEvent(event);
        }
        return;
    case Qt::Key_Escape:
        if (m_drag != Drag::None) {
            if (m_drag == Drag::Move || m_drag == Drag::Resize)
                m_doc.cancelLive();
            m_drag = Drag::None;
            update();
        } else if (m_tool != Tool::Select) {
            setTool(Tool::Select);
        } else if (!m_doc.selection().empty()) {
            m_doc.setSelection({});
        } else {
            QWidget::keyPressEvent(event); // the dialog closes
            return;
        }
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (m_drag != Drag::None || m_doc.selection().empty())
        return;
    const double step = event->modifiers() & Qt::ControlModifier ? 0.1 : kGridStep;
    if (event->modifiers() & Qt::ShiftModifier)
        growSelection(m_doc, d * step, MergeKeyGrow);
    else
        moveSelection(m_doc, d * step, MergeKeyMove);
}

} // namespace varnok::designer
