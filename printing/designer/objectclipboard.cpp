#include "printing/designer/objectclipboard.h"

#include "common/error.h"
#include "printing/templatexml.h"

#include <QBuffer>
#include <QMimeData>

namespace varnok::designer {

namespace {
const QString kMimeType = QStringLiteral("application/x-varnok05-report-objects");
}

QMimeData *objectsToMime(const std::vector<report::ReportObject> &objects) {
    report::Template t;
    report::Page page;
    page.objects = objects;
    t.pages.push_back(page);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    report::writeTemplate(buffer, t);
    auto *mime = new QMimeData;
    mime->setData(kMimeType, bytes);
    // Texts also paste into other programs.
    QStringList texts;
    for (const report::ReportObject &o : objects)
        if (const auto *text = std::get_if<report::TextObject>(&o))
            texts << text->text;
    mime->setText(texts.join(u'\n'));
    return mime;
}

std::vector<report::ReportObject> objectsFromMime(const QMimeData *mime) {
    if (!mime || !mime->hasFormat(kMimeType))
        return {};
    QByteArray bytes = mime->data(kMimeType);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    try {
        const report::Template t = report::readTemplate(buffer, QStringLiteral("schránka"));
        std::vector<report::ReportObject> out;
        for (const report::Page &p : t.pages)
            out.insert(out.end(), p.objects.begin(), p.objects.end());
        return out;
    } catch (const Error &) {
        return {}; // clipboard content of another version: nothing to paste
    }
}

} // namespace varnok::designer
