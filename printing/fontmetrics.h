#pragma once

#include "printing/prepared.h"

#include <QByteArray>
#include <QString>

namespace varnok::report {

// The base font a template's font family prints with: serif families give
// Times, monospaced ones Courier, everything else Helvetica.
BaseFont baseFontFor(const QString &family);

// The PDF name of a base font in a style ("Helvetica-BoldOblique").
const char *pdfFontName(const RunFont &font);

// Text as the PDF carries it: Windows-1250 bytes, the encoding of the base
// fonts in our PDFs. A character outside it prints as '?'.
QByteArray pdfBytes(const QString &text);

// Glyph widths of the PDF base fonts, taken from the PDF library itself so
// that line breaks match what the PDF shows.
class FontMetrics {
public:
    static const FontMetrics &instance();

    double width(const RunFont &font, QStringView text) const; // points
    double ascent(const RunFont &font) const;                  // points above the baseline
    double descent(const RunFont &font) const;                 // points below, positive

private:
    FontMetrics();
    struct Table {
        double widths[256]; // 1/1000 em
        double ascent, descent;
    };
    const Table &table(const RunFont &font) const;
    Table m_tables[12];
};

} // namespace varnok::report
