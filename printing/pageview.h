#pragma once

#include "printing/prepared.h"

#include <QRectF>
#include <QWidget>
#include <vector>

namespace varnok::printing {

// One prepared page on screen: white paper with a shadow on the window's
// background, drawn at a scale in screen pixels per point.
class PageView : public QWidget {
    Q_OBJECT
public:
    explicit PageView(QWidget *parent = nullptr);

    void setPage(const report::PreparedPage *page);
    const report::PreparedPage *page() const { return m_page; }
    void setScale(double pixelsPerPoint);
    double scale() const { return m_scale; }
    void setHighlights(std::vector<QRectF> boxes);
    const std::vector<QRectF> &highlights() const { return m_highlights; }

    static constexpr int kBorder = 12; // pixels around the paper

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const report::PreparedPage *m_page = nullptr;
    double m_scale = 1;
    std::vector<QRectF> m_highlights;
};

} // namespace varnok::printing
