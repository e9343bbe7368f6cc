#include "printing/preparedxml.h"

#include "common/error.h"
#include "printing/fileerrors.h"
#include "printing/xmlattributes.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

namespace varnok::report {

namespace {

using namespace xml;

const QString kRoot = QStringLiteral("varnokPrepared");

DrawItem readItem(QXmlStreamReader &in) {
    const Attributes a(in.attributes());
    const QColor black = Qt::black;
    if (in.name() == u"fill") {
        FillItem f{readRect(a), a.color(QStringLiteral("color"), black)};
        in.skipCurrentElement();
        return f;
    }
    if (in.name() == u"rect") {
        RectItem r{readRect(a), a.number(QStringLiteral("width"), 0.5),
                   a.color(QStringLiteral("color"), black)};
        in.skipCurrentElement();
        return r;
    }
    if (in.name() == u"line") {
        LineItem l{QPointF(a.number(QStringLiteral("x1"), 0), a.number(QStringLiteral("y1"), 0)),
                   QPointF(a.number(QStringLiteral("x2"), 0), a.number(QStringLiteral("y2"), 0)),
                   a.number(QStringLiteral("width"), 0.5), a.color(QStringLiteral("color"), black)};
        in.skipCurrentElement();
        return l;
    }
    if (in.name() == u"run") {
        TextRun t;
        t.origin = QPointF(a.number(QStringLiteral("x"), 0), a.number(QStringLiteral("y"), 0));
        t.font.base = a.choice(QStringLiteral("font"), BaseFont::Helvetica,
                               {{u"helvetica", BaseFont::Helvetica},
                                {u"times", BaseFont::Times},
                                {u"courier", BaseFont::Courier}});
        t.font.bold = a.flag(QStringLiteral("bold"), false);
        t.font.italic = a.flag(QStringLiteral("italic"), false);
        t.font.size = a.number(QStringLiteral("size"), 10);
        t.color = a.color(QStringLiteral("color"), black);
        t.width = a.number(QStringLiteral("width"), 0);
        t.text = in.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
        return t;
    }
    throw FormatError{QStringLiteral("neznámý prvek „%1“").arg(in.name())};
}

PreparedPage readPage(QXmlStreamReader &in) {
    const Attributes a(in.attributes());
    PreparedPage p;
    p.size = QSizeF(a.number(QStringLiteral("width"), mmToPt(210)),
                    a.number(QStringLiteral("height"), mmToPt(297)));
    p.paper = a.text(QStringLiteral("paper"), p.paper);
    p.orientation =
        a.choice(QStringLiteral("orientation"), Orientation::Portrait,
                 {{u"portrait", Orientation::Portrait}, {u"landscape", Orientation::Landscape}});
    while (in.readNextStartElement())
        p.items.push_back(readItem(in));
    return p;
}

const char16_t *fontName(BaseFont f) {
    switch (f) {
    case BaseFont::Helvetica:
        return u"helvetica";
    case BaseFont::Times:
        return u"times";
    case BaseFont::Courier:
        return u"courier";
    }
    return u"helvetica";
}

struct ItemWriter {
    QXmlStreamWriter &w;
    void color(const QColor &c) const { writeColor(w, QStringLiteral("color"), c, Qt::black); }

    void operator()(const FillItem &f) const {
        w.writeStartElement(QStringLiteral("fill"));
        writeRect(w, f.rect);
        color(f.color);
        w.writeEndElement();
    }
    void operator()(const RectItem &r) const {
        w.writeStartElement(QStringLiteral("rect"));
        writeRect(w, r.rect);
        writeNumber(w, QStringLiteral("width"), r.width, 0.5);
        color(r.color);
        w.writeEndElement();
    }
    void operator()(const LineItem &l) const {
        w.writeStartElement(QStringLiteral("line"));
        w.writeAttribute(QStringLiteral("x1"), num(l.from.x()));
        w.writeAttribute(QStringLiteral("y1"), num(l.from.y()));
        w.writeAttribute(QStringLiteral("x2"), num(l.to.x()));
        w.writeAttribute(QStringLiteral("y2"), num(l.to.y()));
        writeNumber(w, QStringLiteral("width"), l.width, 0.5);
        color(l.color);
        w.writeEndElement();
    }
    void operator()(const TextRun &t) const {
        w.writeStartElement(QStringLiteral("run"));
        w.writeAttribute(QStringLiteral("x"), num(t.origin.x()));
        w.writeAttribute(QStringLiteral("y"), num(t.origin.y()));
        w.writeAttribute(QStringLiteral("font"), QString::fromUtf16(fontName(t.font.base)));
        writeFlag(w, QStringLiteral("bold"), t.font.bold, false);
        writeFlag(w, QStringLiteral("italic"), t.font.italic, false);
        w.writeAttribute(QStringLiteral("size"), num(t.font.size));
        w.writeAttribute(QStringLiteral("width"), num(t.width));
        color(t.color);
        writeText(w, t.text);
        w.writeEndElement();
    }
};

} // namespace

void savePrepared(const QString &path, const PreparedReport &report) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter w(&buffer);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(1);
    w.writeStartDocument();
    w.writeStartElement(kRoot);
    w.writeAttribute(QStringLiteral("version"), QStringLiteral("1"));
    for (const PreparedPage &p : report.pages) {
        w.writeStartElement(QStringLiteral("page"));
        w.writeAttribute(QStringLiteral("width"), num(p.size.width()));
        w.writeAttribute(QStringLiteral("height"), num(p.size.height()));
        w.writeAttribute(QStringLiteral("paper"), p.paper);
        w.writeAttribute(QStringLiteral("orientation"), p.orientation == Orientation::Portrait
                                                            ? QStringLiteral("portrait")
                                                            : QStringLiteral("landscape"));
        for (const DrawItem &item : p.items)
            std::visit(ItemWriter{w}, item);
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeEndDocument();
    writeFileReplacing(path, bytes);
}

PreparedReport loadPrepared(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw cannotOpenFile(path, file.errorString());
    QXmlStreamReader in(&file);
    PreparedReport report;
    try {
        if (!in.readNextStartElement() || in.name() != kRoot)
            throw FormatError{QStringLiteral("není to uložená sestava Varnok05")};
        while (in.readNextStartElement()) {
            if (in.name() != u"page")
                throw FormatError{QStringLiteral("neznámý prvek „%1“").arg(in.name())};
            report.pages.push_back(readPage(in));
        }
        if (in.hasError())
            throw FormatError{in.errorString()};
    } catch (const FormatError &e) {
        throw Error(
            QStringLiteral("Soubor „%1“ nelze otevřít jako uloženou sestavu: %2 (řádek %3)")
                .arg(QDir::toNativeSeparators(path), in.hasError() ? in.errorString() : e.text)
                .arg(in.lineNumber()));
    }
    return report;
}

} // namespace varnok::report
