#include "printing/template.h"

namespace varnok::report {

bool TextObject::operator==(const TextObject &o) const {
    return name == o.name && rect == o.rect && text == o.text && font == o.font &&
           hAlign == o.hAlign && vAlign == o.vAlign && wordWrap == o.wordWrap &&
           shrinkToFit == o.shrinkToFit && numberFormat == o.numberFormat && frame == o.frame &&
           fill == o.fill && color == o.color && paddingX == o.paddingX && paddingY == o.paddingY;
}

QSizeF Page::orientedSize() const {
    return orientation == Orientation::Portrait ? size : size.transposed();
}

QSizeF paperSize(const QString &name) {
    const QString n = name.toLower();
    if (n == u"a4")
        return {210, 297};
    if (n == u"a5")
        return {148, 210};
    if (n == u"a3")
        return {297, 420};
    if (n == u"letter")
        return {215.9, 279.4};
    if (n == u"legal")
        return {215.9, 355.6};
    return {};
}

} // namespace varnok::report
