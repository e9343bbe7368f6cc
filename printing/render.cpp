#include "printing/render.h"

#include "common/codepage.h"
#include "printing/fontmetrics.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

namespace varnok::report {

namespace {

QString familyFor(BaseFont base) {
    switch (base) {
    case BaseFont::Times:
        return QStringLiteral("Liberation Serif");
    case BaseFont::Courier:
        return QStringLiteral("Liberation Mono");
    case BaseFont::Helvetica:
        break;
    }
    return QStringLiteral("Liberation Sans");
}

QFont::StyleHint hintFor(BaseFont base) {
    switch (base) {
    case BaseFont::Times:
        return QFont::Serif;
    case BaseFont::Courier:
        return QFont::Monospace;
    case BaseFont::Helvetica:
        break;
    }
    return QFont::SansSerif;
}

// What the PDF shows: characters outside its encoding become '?'.
QString asPrinted(const QString &text) {
    return cp1250::decode(pdfBytes(text));
}

QRectF runBox(const TextRun &t) {
    const FontMetrics &m = FontMetrics::instance();
    const double ascent = m.ascent(t.font) + t.font.size * 0.15;
    const double descent = m.descent(t.font) + t.font.size * 0.05;
    return QRectF(t.origin.x(), t.origin.y() - ascent, t.width, ascent + descent);
}

struct ItemPainter {
    QPainter &p;
    double dpi;

    void operator()(const FillItem &f) const { p.fillRect(f.rect, f.color); }
    void operator()(const RectItem &r) const {
        QPen pen(r.color, r.width);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.rect);
    }
    void operator()(const LineItem &l) const {
        QPen pen(l.color, l.width);
        pen.setCapStyle(Qt::FlatCap); // as in the PDF
        p.setPen(pen);
        p.drawLine(l.from, l.to);
    }
    void operator()(const TextRun &t) const {
        const QFont font = screenFont(t.font, dpi);
        const QString text = asPrinted(t.text);
        p.setFont(font);
        p.setPen(t.color);
        const double advance = QFontMetricsF(font, p.device()).horizontalAdvance(text);
        p.save();
        p.translate(t.origin);
        // Hinting and rounding make a screen face a little wider or narrower
        // than the PDF's metrics; stretch the run to its measured width.
        if (advance > 0 && t.width > 0) {
            const double ratio = t.width / advance;
            if (ratio > 0.8 && ratio < 1.25)
                p.scale(ratio, 1);
        }
        p.drawText(QPointF(0, 0), text);
        p.restore();
    }
};

} // namespace

QFont screenFont(const RunFont &font, double dpi) {
    QFont f(familyFor(font.base));
    f.setStyleHint(hintFor(font.base));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setKerning(false); // the PDF text is not kerned either
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setPointSizeF(font.size * 72.0 / (dpi > 0 ? dpi : 72.0));
    return f;
}

void renderPage(QPainter &painter, const PreparedPage &page,
                const std::vector<QRectF> &highlights) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    const double dpi = painter.device() ? painter.device()->logicalDpiY() : 72;
    for (const QRectF &h : highlights)
        painter.fillRect(h, QColor(255, 235, 59, 170));
    const ItemPainter draw{painter, dpi};
    for (const DrawItem &item : page.items)
        std::visit(draw, item);
    painter.restore();
}

void renderReport(QPagedPaintDevice &device, const PreparedReport &report, int fromPage,
                  int toPage) {
    const int first = qMax(1, fromPage);
    const int last =
        toPage <= 0 ? int(report.pages.size()) : qMin(toPage, int(report.pages.size()));
    QPainter painter(&device);
    const QRectF paper = device.pageLayout().fullRectPixels(device.logicalDpiX());
    for (int n = first; n <= last; ++n) {
        if (n > first)
            device.newPage();
        const PreparedPage &page = report.pages[size_t(n - 1)];
        const double sx = paper.width() / page.size.width();
        const double sy = paper.height() / page.size.height();
        const double scale = qMin(sx, sy);
        painter.save();
        // Full-page coordinates: the origin is the paper's corner, not the
        // printable area's.
        const QRect printable = device.pageLayout().paintRectPixels(device.logicalDpiX());
        painter.translate(-printable.topLeft());
        painter.scale(scale, scale);
        renderPage(painter, page);
        painter.restore();
    }
}

std::vector<QRectF> findText(const PreparedPage &page, const QString &text) {
    std::vector<QRectF> boxes;
    if (text.isEmpty())
        return boxes;
    for (const DrawItem &item : page.items)
        if (const auto *t = std::get_if<TextRun>(&item))
            if (t->text.contains(text, Qt::CaseInsensitive))
                boxes.push_back(runBox(*t));
    return boxes;
}

} // namespace varnok::report
