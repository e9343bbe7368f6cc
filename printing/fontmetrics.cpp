#include "printing/fontmetrics.h"

#include "common/codepage.h"
#include "common/error.h"

#include <QHash>
#include <hpdf.h>

namespace varnok::report {

namespace {

int tableIndex(const RunFont &f) {
    return int(f.base) * 4 + (f.bold ? 2 : 0) + (f.italic ? 1 : 0);
}

const char *const kFontNames[12] = {
    "Helvetica",   "Helvetica-Oblique", "Helvetica-Bold", "Helvetica-BoldOblique",
    "Times-Roman", "Times-Italic",      "Times-Bold",     "Times-BoldItalic",
    "Courier",     "Courier-Oblique",   "Courier-Bold",   "Courier-BoldOblique",
};

// Unicode → Windows-1250 byte, built once from the code page's decoder.
const QHash<char16_t, uchar> &codePage() {
    static const QHash<char16_t, uchar> map = [] {
        QHash<char16_t, uchar> m;
        for (int b = 1; b < 256; ++b) {
            const QString s = cp1250::decode(QByteArray(1, char(b)));
            if (s.size() == 1 && s[0] != QChar::ReplacementCharacter)
                m.insert(s[0].unicode(), uchar(b));
        }
        return m;
    }();
    return map;
}

uchar byteFor(QChar c) {
    // Tabs and line breaks never reach a run; treat stray ones as blanks.
    if (c == u'\t')
        return ' ';
    return codePage().value(c.unicode(), uchar('?'));
}

void ignoreErrors(HPDF_STATUS, HPDF_STATUS, void *) {}

} // namespace

BaseFont baseFontFor(const QString &family) {
    const QString f = family.toLower();
    if (f.contains(u"courier") || f.contains(u"mono") || f.contains(u"consol"))
        return BaseFont::Courier;
    if (f.contains(u"times") || f.contains(u"roman") || f.contains(u"georgia") ||
        (f.contains(u"serif") && !f.contains(u"sans")))
        return BaseFont::Times;
    return BaseFont::Helvetica;
}

const char *pdfFontName(const RunFont &font) {
    return kFontNames[tableIndex(font)];
}

QByteArray pdfBytes(const QString &text) {
    QByteArray out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        out[i] = char(byteFor(text[i]));
    return out;
}

const FontMetrics &FontMetrics::instance() {
    static const FontMetrics metrics;
    return metrics;
}

FontMetrics::FontMetrics() {
    HPDF_Doc doc = HPDF_New(ignoreErrors, nullptr);
    if (!doc)
        throw Error(QStringLiteral("Knihovnu PDF nelze spustit (nedostatek paměti)."));
    for (int i = 0; i < 12; ++i) {
        HPDF_Font font = HPDF_GetFont(doc, kFontNames[i], "CP1250");
        Table &t = m_tables[i];
        for (int b = 0; b < 256; ++b) {
            const HPDF_BYTE byte[1] = {HPDF_BYTE(b)};
            t.widths[b] = font ? HPDF_Font_TextWidth(font, byte, 1).width : 500;
        }
        t.ascent = font ? HPDF_Font_GetAscent(font) : 718;
        t.descent = font ? -HPDF_Font_GetDescent(font) : 207;
    }
    HPDF_Free(doc);
}

const FontMetrics::Table &FontMetrics::table(const RunFont &font) const {
    return m_tables[tableIndex(font)];
}

double FontMetrics::width(const RunFont &font, QStringView text) const {
    const Table &t = table(font);
    double units = 0;
    for (QChar c : text)
        units += t.widths[byteFor(c)];
    return units * font.size / 1000.0;
}

double FontMetrics::ascent(const RunFont &font) const {
    return table(font).ascent * font.size / 1000.0;
}

double FontMetrics::descent(const RunFont &font) const {
    return table(font).descent * font.size / 1000.0;
}

} // namespace varnok::report
