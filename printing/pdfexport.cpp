#include "printing/pdfexport.h"

#include "common/error.h"
#include "printing/engineerror.h"
#include "printing/fileerrors.h"
#include "printing/fontmetrics.h"
#include "printing/prepared.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <hpdf.h>
#include <map>

namespace varnok::report {

namespace {

struct PdfStatus {
    HPDF_STATUS error = HPDF_OK;
    HPDF_STATUS detail = 0;
};

void onPdfError(HPDF_STATUS error, HPDF_STATUS detail, void *data) {
    auto *status = static_cast<PdfStatus *>(data);
    if (status->error == HPDF_OK) {
        status->error = error;
        status->detail = detail;
    }
}

// One libharu document, freed however rendering ends.
class PdfDoc {
public:
    PdfDoc() : m_doc(HPDF_New(onPdfError, &m_status)) {
        if (!m_doc)
            throw Error(QStringLiteral("PDF nelze vytvořit: nedostatek paměti."));
    }
    ~PdfDoc() { HPDF_Free(m_doc); }
    PdfDoc(const PdfDoc &) = delete;
    PdfDoc &operator=(const PdfDoc &) = delete;

    HPDF_Doc get() const { return m_doc; }
    void check() const {
        if (m_status.error != HPDF_OK)
            throw Error(QStringLiteral("PDF nelze vytvořit: chyba knihovny PDF 0x%1 (%2).")
                            .arg(qulonglong(m_status.error), 4, 16, QLatin1Char('0'))
                            .arg(qulonglong(m_status.detail)));
    }

private:
    PdfStatus m_status;
    HPDF_Doc m_doc;
};

// Draws one prepared page; PDF coordinates grow upwards from the bottom.
class PageWriter {
public:
    PageWriter(HPDF_Doc doc, HPDF_Page page, double height, bool background)
        : m_doc(doc), m_page(page), m_height(height), m_background(background) {}

    ~PageWriter() { endText(); }

    void operator()(const FillItem &f) {
        if (!m_background)
            return;
        endText();
        setFill(f.color);
        HPDF_Page_Rectangle(m_page, f.rect.x(), m_height - f.rect.bottom(), f.rect.width(),
                            f.rect.height());
        HPDF_Page_Fill(m_page);
    }
    void operator()(const RectItem &r) {
        endText();
        setStroke(r.color, r.width);
        HPDF_Page_SetLineJoin(m_page, HPDF_MITER_JOIN);
        HPDF_Page_Rectangle(m_page, r.rect.x(), m_height - r.rect.bottom(), r.rect.width(),
                            r.rect.height());
        HPDF_Page_Stroke(m_page);
    }
    void operator()(const LineItem &l) {
        endText();
        setStroke(l.color, l.width);
        // Butt ends (the PDF default): a line ends exactly at its end points.
        HPDF_Page_MoveTo(m_page, l.from.x(), m_height - l.from.y());
        HPDF_Page_LineTo(m_page, l.to.x(), m_height - l.to.y());
        HPDF_Page_Stroke(m_page);
    }
    void operator()(const TextRun &t) {
        if (!m_inText) {
            HPDF_Page_BeginText(m_page);
            m_inText = true;
            m_font = nullptr;
        }
        HPDF_Font font = fontFor(t.font);
        if (font != m_font || t.font.size != m_fontSize) {
            HPDF_Page_SetFontAndSize(m_page, font, HPDF_REAL(t.font.size));
            m_font = font;
            m_fontSize = t.font.size;
        }
        setFill(t.color);
        const QByteArray bytes = pdfBytes(t.text);
        HPDF_Page_TextOut(m_page, HPDF_REAL(t.origin.x()), HPDF_REAL(m_height - t.origin.y()),
                          bytes.constData());
    }

private:
    void endText() {
        if (m_inText) {
            HPDF_Page_EndText(m_page);
            m_inText = false;
        }
    }
    void setFill(const QColor &c) {
        if (c == m_fill)
            return;
        HPDF_Page_SetRGBFill(m_page, HPDF_REAL(c.redF()), HPDF_REAL(c.greenF()),
                             HPDF_REAL(c.blueF()));
        m_fill = c;
    }
    void setStroke(const QColor &c, double width) {
        if (c != m_stroke) {
            HPDF_Page_SetRGBStroke(m_page, HPDF_REAL(c.redF()), HPDF_REAL(c.greenF()),
                                   HPDF_REAL(c.blueF()));
            m_stroke = c;
        }
        if (width != m_lineWidth) {
            HPDF_Page_SetLineWidth(m_page, HPDF_REAL(width));
            m_lineWidth = width;
        }
    }
    HPDF_Font fontFor(const RunFont &f) {
        const char *name = pdfFontName(f);
        auto it = m_fonts.find(name);
        if (it == m_fonts.end())
            it = m_fonts.emplace(name, HPDF_GetFont(m_doc, name, "CP1250")).first;
        return it->second;
    }

    HPDF_Doc m_doc;
    HPDF_Page m_page;
    double m_height;
    bool m_background;
    bool m_inText = false;
    HPDF_Font m_font = nullptr;
    double m_fontSize = 0;
    QColor m_fill = Qt::black;   // the PDF's initial fill colour
    QColor m_stroke = Qt::black; // and stroke colour
    double m_lineWidth = 1;      // and line width
    std::map<const char *, HPDF_Font> m_fonts;
};

void setInfo(HPDF_Doc doc, HPDF_InfoType type, const QString &text) {
    if (!text.isEmpty())
        HPDF_SetInfoAttr(doc, type, pdfBytes(text).constData());
}

QByteArray readStream(HPDF_Doc doc) {
    QByteArray out;
    out.reserve(qsizetype(HPDF_GetStreamSize(doc)));
    HPDF_BYTE buffer[8192];
    for (;;) {
        HPDF_UINT32 size = sizeof buffer;
        const HPDF_STATUS st = HPDF_ReadFromStream(doc, buffer, &size);
        out.append(reinterpret_cast<const char *>(buffer), qsizetype(size));
        if (st != HPDF_OK || size == 0)
            break;
    }
    return out;
}

} // namespace

QString PdfExport::description() const {
    return QStringLiteral("Soubor PDF");
}

QString PdfExport::targetPath() const {
    const bool bare = !FileName.contains(u'/') && !FileName.contains(u'\\');
    if (bare && !DefaultPath.isEmpty())
        return QDir::cleanPath(DefaultPath + u'/' + FileName);
    return QFileInfo(FileName).absoluteFilePath();
}

QByteArray PdfExport::render(const PreparedReport &report) const {
    PdfDoc pdf;
    HPDF_Doc doc = pdf.get();
    HPDF_SetCompressionMode(doc, Compressed ? HPDF_COMP_ALL : HPDF_COMP_NONE);
    setInfo(doc, HPDF_INFO_AUTHOR, Author);
    setInfo(doc, HPDF_INFO_SUBJECT, Subject);
    setInfo(doc, HPDF_INFO_CREATOR, Creator);
    const QDateTime now = QDateTime::currentDateTime();
    const int offset = now.offsetFromUtc();
    HPDF_Date date{now.date().year(),
                   now.date().month(),
                   now.date().day(),
                   now.time().hour(),
                   now.time().minute(),
                   now.time().second(),
                   offset == 0 ? 'Z' : (offset > 0 ? '+' : '-'),
                   qAbs(offset) / 3600,
                   (qAbs(offset) % 3600) / 60};
    HPDF_SetInfoDateAttr(doc, HPDF_INFO_CREATION_DATE, date);
    pdf.check();

    for (const PreparedPage &p : report.pages) {
        HPDF_Page page = HPDF_AddPage(doc);
        HPDF_Page_SetWidth(page, HPDF_REAL(p.size.width()));
        HPDF_Page_SetHeight(page, HPDF_REAL(p.size.height()));
        {
            PageWriter writer(doc, page, p.size.height(), Background);
            for (const DrawItem &item : p.items)
                std::visit(writer, item);
        }
        pdf.check();
    }
    HPDF_SaveToStream(doc);
    pdf.check();
    return readStream(doc);
}

bool PdfExport::exportReport(const PreparedReport &report) {
    FileName = targetPath();
    try {
        QByteArray bytes;
        try {
            bytes = render(report);
        } catch (const Error &e) {
            throw cannotCreateFile(FileName, e.message());
        }
        writeFileReplacing(FileName, bytes);
        return true;
    } catch (const Error &e) {
        showEngineError(e.message());
        return false;
    }
}

} // namespace varnok::report
