#pragma once

#include "printing/prepared.h"

#include <QFont>
#include <QRectF>
#include <vector>

class QPainter;
class QPagedPaintDevice;

namespace varnok::report {

// The screen face of a PDF base font: Liberation Sans, Serif and Mono have
// the glyph widths of Helvetica, Times and Courier. dpi: the logical
// resolution of the device painted on, so that size is in points of the
// painter's coordinates.
QFont screenFont(const RunFont &font, double dpi);

// Draws a page in the painter's current coordinates, taken as points with
// the page's top-left corner at the origin. Each run is fitted to its
// measured width, so screen and printer lines end where the PDF's do.
// highlights: boxes (points) painted behind the text, for found texts.
void renderPage(QPainter &painter, const PreparedPage &page,
                const std::vector<QRectF> &highlights = {});

// Sends every page to a printer (or any paged device) whose page layout
// the caller has set; each page is scaled to fit the device's paper.
void renderReport(QPagedPaintDevice &device, const PreparedReport &report, int fromPage = 1,
                  int toPage = 0);

// The boxes of the runs on a page that contain text, without regard to case.
std::vector<QRectF> findText(const PreparedPage &page, const QString &text);

} // namespace varnok::report
