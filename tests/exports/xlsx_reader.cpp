#include "tests/exports/xlsx_reader.h"

#include <QProcess>
#include <QStringList>
#include <QXmlStreamReader>

namespace varnok::test {

namespace {

QByteArray unzipped(const QString &zip, const QString &member) {
    QProcess p;
    p.start(QStringLiteral("unzip"), {QStringLiteral("-p"), zip, member});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return p.readAllStandardOutput();
}

QStringList sharedStrings(const QByteArray &xml) {
    QStringList out;
    QXmlStreamReader r(xml);
    QString current;
    bool inItem = false;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == u"si") {
            inItem = true;
            current.clear();
        } else if (r.isStartElement() && r.name() == u"t" && inItem) {
            current += r.readElementText();
        } else if (r.isEndElement() && r.name() == u"si") {
            out << current;
            inItem = false;
        }
    }
    return out;
}

} // namespace

void cellPosition(const QString &ref, int *column, int *row) {
    int c = 0, i = 0;
    while (i < ref.size() && ref[i].isLetter())
        c = c * 26 + (ref[i++].unicode() - u'A' + 1);
    *column = c - 1;
    *row = ref.mid(i).toInt() - 1;
}

QMap<QString, XlsxCell> readFirstSheet(const QString &path) {
    const QStringList strings =
        sharedStrings(unzipped(path, QStringLiteral("xl/sharedStrings.xml")));
    QMap<QString, XlsxCell> cells;
    QXmlStreamReader r(unzipped(path, QStringLiteral("xl/worksheets/sheet1.xml")));
    while (!r.atEnd()) {
        r.readNext();
        if (!r.isStartElement() || r.name() != u"c")
            continue;
        const QString ref = r.attributes().value(QStringLiteral("r")).toString();
        const QString type = r.attributes().value(QStringLiteral("t")).toString();
        XlsxCell cell;
        cell.style = r.attributes().value(QStringLiteral("s")).toInt();
        while (r.readNextStartElement()) {
            if (r.name() == u"v") {
                const QString v = r.readElementText();
                cell.isNumber = type.isEmpty() || type == u"n";
                cell.text = type == u"s" ? strings.value(v.toInt()) : v;
            } else {
                r.skipCurrentElement();
            }
        }
        cells.insert(ref, cell);
    }
    return cells;
}

} // namespace varnok::test
