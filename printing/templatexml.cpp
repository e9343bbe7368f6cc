#include "printing/templatexml.h"

#include "common/error.h"
#include "printing/fileerrors.h"
#include "printing/xmlattributes.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <cmath>

namespace varnok::report {

namespace {

using namespace xml;

const QString kRoot = QStringLiteral("varnokReport");
constexpr int kVersion = 1;

// --- reading -----------------------------------------------------------

Frame readFrame(const Attributes &a) {
    Frame f;
    const QString sides = a.text(QStringLiteral("frame"));
    f.left = sides.contains(u'l');
    f.top = sides.contains(u't');
    f.right = sides.contains(u'r');
    f.bottom = sides.contains(u'b');
    f.width = a.number(QStringLiteral("frame-width"), f.width);
    f.color = a.color(QStringLiteral("frame-color"), f.color);
    return f;
}

TextObject readText(QXmlStreamReader &xml) {
    const Attributes a(xml.attributes());
    TextObject t;
    t.name = a.text(QStringLiteral("name"));
    t.rect = readRect(a);
    t.font.family = a.text(QStringLiteral("font"), t.font.family);
    t.font.size = a.number(QStringLiteral("size"), t.font.size);
    t.font.bold = a.flag(QStringLiteral("bold"), false);
    t.font.italic = a.flag(QStringLiteral("italic"), false);
    t.hAlign = a.choice(QStringLiteral("align"), HAlign::Left,
                        {{u"left", HAlign::Left},
                         {u"center", HAlign::Center},
                         {u"right", HAlign::Right},
                         {u"justify", HAlign::Justify}});
    t.vAlign =
        a.choice(QStringLiteral("valign"), VAlign::Top,
                 {{u"top", VAlign::Top}, {u"center", VAlign::Center}, {u"bottom", VAlign::Bottom}});
    t.wordWrap = a.flag(QStringLiteral("wrap"), false);
    t.shrinkToFit = a.flag(QStringLiteral("shrink"), false);
    t.numberFormat = a.text(QStringLiteral("format"));
    t.frame = readFrame(a);
    t.fill = a.color(QStringLiteral("fill"), QColor());
    t.color = a.color(QStringLiteral("color"), t.color);
    t.paddingX = a.number(QStringLiteral("padding-x"), t.paddingX);
    t.paddingY = a.number(QStringLiteral("padding-y"), t.paddingY);
    t.text = xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
    return t;
}

LineObject readLine(QXmlStreamReader &xml) {
    const Attributes a(xml.attributes());
    LineObject l;
    l.name = a.text(QStringLiteral("name"));
    l.from = QPointF(a.number(QStringLiteral("x1"), 0), a.number(QStringLiteral("y1"), 0));
    l.to = QPointF(a.number(QStringLiteral("x2"), 0), a.number(QStringLiteral("y2"), 0));
    l.width = a.number(QStringLiteral("width"), l.width);
    l.color = a.color(QStringLiteral("color"), l.color);
    xml.skipCurrentElement();
    return l;
}

RectObject readRectObject(QXmlStreamReader &xml) {
    const Attributes a(xml.attributes());
    RectObject r;
    r.name = a.text(QStringLiteral("name"));
    r.rect = readRect(a);
    r.lineWidth = a.number(QStringLiteral("line-width"), r.lineWidth);
    r.lineColor = a.color(QStringLiteral("line-color"), r.lineColor);
    r.fill = a.color(QStringLiteral("fill"), QColor());
    xml.skipCurrentElement();
    return r;
}

Margins readMargins(const Attributes &a) {
    Margins m;
    if (!a.has(QStringLiteral("margins")))
        return m;
    const QStringList parts = a.text(QStringLiteral("margins")).split(u' ', Qt::SkipEmptyParts);
    bool ok = parts.size() == 4;
    double v[4] = {};
    for (int i = 0; ok && i < 4; ++i) {
        v[i] = parts[i].toDouble(&ok);
        ok = ok && std::isfinite(v[i]);
    }
    if (!ok)
        throw FormatError{
            QStringLiteral("atribut „margins“ nemá čtyři čísla (vlevo nahoře vpravo dole)")};
    m.left = v[0];
    m.top = v[1];
    m.right = v[2];
    m.bottom = v[3];
    return m;
}

Page readPage(QXmlStreamReader &xml) {
    const Attributes a(xml.attributes());
    Page p;
    p.name = a.text(QStringLiteral("name"));
    p.paper = a.text(QStringLiteral("paper"), p.paper);
    const QSizeF named = paperSize(p.paper);
    p.size = QSizeF(a.number(QStringLiteral("width"), named.isValid() ? named.width() : 210),
                    a.number(QStringLiteral("height"), named.isValid() ? named.height() : 297));
    p.orientation =
        a.choice(QStringLiteral("orientation"), Orientation::Portrait,
                 {{u"portrait", Orientation::Portrait}, {u"landscape", Orientation::Landscape}});
    p.margins = readMargins(a);
    while (xml.readNextStartElement()) {
        if (xml.name() == u"text")
            p.objects.emplace_back(readText(xml));
        else if (xml.name() == u"line")
            p.objects.emplace_back(readLine(xml));
        else if (xml.name() == u"rect")
            p.objects.emplace_back(readRectObject(xml));
        else
            throw FormatError{QStringLiteral("neznámý prvek stránky „%1“").arg(xml.name())};
    }
    return p;
}

void readVariables(QXmlStreamReader &xml, Template &t) {
    while (xml.readNextStartElement()) {
        if (xml.name() != u"variable")
            throw FormatError{QStringLiteral("neznámý prvek „%1“ mezi proměnnými").arg(xml.name())};
        const Attributes a(xml.attributes());
        t.variables.push_back({a.text(QStringLiteral("name")), a.text(QStringLiteral("value"))});
        xml.skipCurrentElement();
    }
}

Error notATemplate(const QString &fileName, const QString &why) {
    return Error(QStringLiteral("Soubor „%1“ není platná šablona sestavy: %2")
                     .arg(QDir::toNativeSeparators(fileName), why));
}

// --- writing -----------------------------------------------------------

void writeName(QXmlStreamWriter &w, const QString &name) {
    if (!name.isEmpty())
        w.writeAttribute(QStringLiteral("name"), name);
}

const char16_t *alignName(HAlign a) {
    switch (a) {
    case HAlign::Left:
        return u"left";
    case HAlign::Center:
        return u"center";
    case HAlign::Right:
        return u"right";
    case HAlign::Justify:
        return u"justify";
    }
    return u"left";
}

const char16_t *valignName(VAlign a) {
    switch (a) {
    case VAlign::Top:
        return u"top";
    case VAlign::Center:
        return u"center";
    case VAlign::Bottom:
        return u"bottom";
    }
    return u"top";
}

struct ObjectWriter {
    QXmlStreamWriter &w;

    void operator()(const TextObject &t) const {
        const TextObject d;
        w.writeStartElement(QStringLiteral("text"));
        writeName(w, t.name);
        writeRect(w, t.rect);
        if (t.font.family != d.font.family)
            w.writeAttribute(QStringLiteral("font"), t.font.family);
        writeNumber(w, QStringLiteral("size"), t.font.size, d.font.size);
        writeFlag(w, QStringLiteral("bold"), t.font.bold, false);
        writeFlag(w, QStringLiteral("italic"), t.font.italic, false);
        if (t.hAlign != d.hAlign)
            w.writeAttribute(QStringLiteral("align"), QString::fromUtf16(alignName(t.hAlign)));
        if (t.vAlign != d.vAlign)
            w.writeAttribute(QStringLiteral("valign"), QString::fromUtf16(valignName(t.vAlign)));
        writeFlag(w, QStringLiteral("wrap"), t.wordWrap, false);
        writeFlag(w, QStringLiteral("shrink"), t.shrinkToFit, false);
        if (!t.numberFormat.isEmpty())
            w.writeAttribute(QStringLiteral("format"), t.numberFormat);
        QString sides;
        if (t.frame.left)
            sides += u'l';
        if (t.frame.top)
            sides += u't';
        if (t.frame.right)
            sides += u'r';
        if (t.frame.bottom)
            sides += u'b';
        if (!sides.isEmpty())
            w.writeAttribute(QStringLiteral("frame"), sides);
        writeNumber(w, QStringLiteral("frame-width"), t.frame.width, d.frame.width);
        writeColor(w, QStringLiteral("frame-color"), t.frame.color, d.frame.color);
        writeColor(w, QStringLiteral("fill"), t.fill, d.fill);
        writeColor(w, QStringLiteral("color"), t.color, d.color);
        writeNumber(w, QStringLiteral("padding-x"), t.paddingX, d.paddingX);
        writeNumber(w, QStringLiteral("padding-y"), t.paddingY, d.paddingY);
        writeText(w, t.text);
        w.writeEndElement();
    }
    void operator()(const LineObject &l) const {
        const LineObject d;
        w.writeStartElement(QStringLiteral("line"));
        writeName(w, l.name);
        w.writeAttribute(QStringLiteral("x1"), num(l.from.x()));
        w.writeAttribute(QStringLiteral("y1"), num(l.from.y()));
        w.writeAttribute(QStringLiteral("x2"), num(l.to.x()));
        w.writeAttribute(QStringLiteral("y2"), num(l.to.y()));
        writeNumber(w, QStringLiteral("width"), l.width, d.width);
        writeColor(w, QStringLiteral("color"), l.color, d.color);
        w.writeEndElement();
    }
    void operator()(const RectObject &r) const {
        const RectObject d;
        w.writeStartElement(QStringLiteral("rect"));
        writeName(w, r.name);
        writeRect(w, r.rect);
        writeNumber(w, QStringLiteral("line-width"), r.lineWidth, d.lineWidth);
        writeColor(w, QStringLiteral("line-color"), r.lineColor, d.lineColor);
        writeColor(w, QStringLiteral("fill"), r.fill, d.fill);
        w.writeEndElement();
    }
};

} // namespace

Template readTemplate(QIODevice &device, const QString &fileName) {
    QXmlStreamReader xml(&device);
    Template t;
    try {
        if (!xml.readNextStartElement()) {
            const bool empty =
                !xml.hasError() || (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError &&
                                    xml.characterOffset() == 0);
            if (!empty)
                throw FormatError{};
            throw FormatError{QStringLiteral("soubor je prázdný")};
        }
        if (xml.name() != kRoot)
            throw FormatError{
                QStringLiteral("není to šablona Varnok05 (kořenový prvek „%1“)").arg(xml.name())};
        const Attributes root(xml.attributes());
        if (root.number(QStringLiteral("version"), kVersion) > kVersion)
            throw FormatError{QStringLiteral("šablona je novější verze, než tento program zná")};
        while (xml.readNextStartElement()) {
            if (xml.name() == u"variables")
                readVariables(xml, t);
            else if (xml.name() == u"page")
                t.pages.push_back(readPage(xml));
            else
                throw FormatError{QStringLiteral("neznámý prvek „%1“").arg(xml.name())};
        }
        if (!xml.hasError()) {
            // Nothing but comments and white space may follow the root.
            while (!xml.atEnd() && xml.readNext() != QXmlStreamReader::StartElement) {
            }
            if (xml.tokenType() == QXmlStreamReader::StartElement)
                xml.raiseError(QStringLiteral("Extra content at end of document."));
        }
        if (xml.hasError())
            throw FormatError{};
    } catch (const FormatError &e) {
        if (!e.text.isEmpty())
            throw notATemplate(fileName,
                               QStringLiteral("%1 (řádek %2)").arg(e.text).arg(xml.lineNumber()));
        throw notATemplate(fileName, QStringLiteral("chyba XML na řádku %1, sloupci %2: %3")
                                         .arg(xml.lineNumber())
                                         .arg(xml.columnNumber())
                                         .arg(xml.errorString()));
    }
    return t;
}

void writeTemplate(QIODevice &device, const Template &report) {
    QXmlStreamWriter w(&device);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(1);
    w.writeStartDocument();
    w.writeStartElement(kRoot);
    w.writeAttribute(QStringLiteral("version"), QString::number(kVersion));
    if (!report.variables.empty()) {
        w.writeStartElement(QStringLiteral("variables"));
        for (const Variable &v : report.variables) {
            w.writeStartElement(QStringLiteral("variable"));
            w.writeAttribute(QStringLiteral("name"), v.name);
            w.writeAttribute(QStringLiteral("value"), v.value);
            w.writeEndElement();
        }
        w.writeEndElement();
    }
    for (const Page &p : report.pages) {
        const Page d;
        w.writeStartElement(QStringLiteral("page"));
        writeName(w, p.name);
        w.writeAttribute(QStringLiteral("paper"), p.paper);
        if (p.size != paperSize(p.paper)) {
            w.writeAttribute(QStringLiteral("width"), num(p.size.width()));
            w.writeAttribute(QStringLiteral("height"), num(p.size.height()));
        }
        w.writeAttribute(QStringLiteral("orientation"), p.orientation == Orientation::Portrait
                                                            ? QStringLiteral("portrait")
                                                            : QStringLiteral("landscape"));
        if (!(p.margins == d.margins))
            w.writeAttribute(QStringLiteral("margins"),
                             QStringLiteral("%1 %2 %3 %4")
                                 .arg(num(p.margins.left), num(p.margins.top), num(p.margins.right),
                                      num(p.margins.bottom)));
        for (const ReportObject &o : p.objects)
            std::visit(ObjectWriter{w}, o);
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeEndDocument();
}

Template loadTemplate(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw cannotOpenFile(path, file.errorString());
    return readTemplate(file, path);
}

void saveTemplate(const QString &path, const Template &report) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    writeTemplate(buffer, report);
    writeFileReplacing(path, bytes);
}

} // namespace varnok::report
