#include "printing/pageview.h"

#include "printing/render.h"

#include <QPainter>

namespace varnok::printing {

PageView::PageView(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pageView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PageView::setPage(const report::PreparedPage *page) {
    m_page = page;
    m_highlights.clear();
    resize(sizeHint());
    update();
}

void PageView::setScale(double pixelsPerPoint) {
    m_scale = pixelsPerPoint;
    resize(sizeHint());
    update();
}

void PageView::setHighlights(std::vector<QRectF> boxes) {
    m_highlights = std::move(boxes);
    update();
}

QSize PageView::sizeHint() const {
    if (!m_page)
        return QSize(2 * kBorder, 2 * kBorder);
    return QSize(int(m_page->size.width() * m_scale) + 2 * kBorder,
                 int(m_page->size.height() * m_scale) + 2 * kBorder);
}

void PageView::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Dark));
    if (!m_page)
        return;
    const QRectF paper(kBorder, kBorder, m_page->size.width() * m_scale,
                       m_page->size.height() * m_scale);
    p.fillRect(paper.translated(3, 3), QColor(0, 0, 0, 90));
    p.fillRect(paper, Qt::white);
    p.translate(paper.topLeft());
    p.scale(m_scale, m_scale);
    p.setClipRect(QRectF(QPointF(0, 0), m_page->size));
    report::renderPage(p, *m_page, m_highlights);
}

} // namespace varnok::printing
