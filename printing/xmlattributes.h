#pragma once

#include <QColor>
#include <QLocale>
#include <QRectF>
#include <QString>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <cmath>
#include <initializer_list>
#include <utility>

// Attribute reading and writing shared by the template file and the
// prepared-report file.
namespace varnok::report::xml {

// A malformed attribute is reported like malformed XML: the file is not a
// file we can read.
struct FormatError {
    QString text;
};

class Attributes {
public:
    explicit Attributes(QXmlStreamAttributes a) : m_a(std::move(a)) {}

    bool has(const QString &name) const { return m_a.hasAttribute(name); }
    QString text(const QString &name, const QString &fallback = QString()) const {
        return has(name) ? m_a.value(name).toString() : fallback;
    }
    double number(const QString &name, double fallback) const {
        if (!has(name))
            return fallback;
        bool ok = false;
        const double v = m_a.value(name).toDouble(&ok);
        // "nan" and "inf" read as numbers, but no length or size is one.
        if (!ok || !std::isfinite(v))
            throw FormatError{QStringLiteral("atribut „%1“ není číslo").arg(name)};
        return v;
    }
    bool flag(const QString &name, bool fallback) const {
        if (!has(name))
            return fallback;
        const QString v = text(name);
        if (v == u"1" || v == u"true")
            return true;
        if (v == u"0" || v == u"false")
            return false;
        throw FormatError{QStringLiteral("atribut „%1“ nemá hodnotu 0 nebo 1").arg(name)};
    }
    QColor color(const QString &name, const QColor &fallback) const {
        if (!has(name))
            return fallback;
        const QString v = text(name);
        if (v == u"none")
            return QColor();
        const QColor c = QColor::fromString(v);
        if (!c.isValid())
            throw FormatError{QStringLiteral("atribut „%1“ není barva").arg(name)};
        return c;
    }
    template <class E>
    E choice(const QString &name, E fallback,
             std::initializer_list<std::pair<const char16_t *, E>> options) const {
        if (!has(name))
            return fallback;
        const QString v = text(name);
        for (const auto &[key, value] : options)
            if (v == QStringView(key))
                return value;
        throw FormatError{QStringLiteral("atribut „%1“ má neznámou hodnotu „%2“").arg(name, v)};
    }

private:
    QXmlStreamAttributes m_a;
};

// The shortest text that reads back as the same number.
inline QString num(double v) {
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

inline void writeNumber(QXmlStreamWriter &w, const QString &name, double v, double fallback) {
    if (v != fallback)
        w.writeAttribute(name, num(v));
}

inline void writeFlag(QXmlStreamWriter &w, const QString &name, bool v, bool fallback) {
    if (v != fallback)
        w.writeAttribute(name, v ? QStringLiteral("1") : QStringLiteral("0"));
}

inline void writeColor(QXmlStreamWriter &w, const QString &name, const QColor &c,
                       const QColor &fallback) {
    if (c != fallback)
        w.writeAttribute(name, c.isValid() ? c.name() : QStringLiteral("none"));
}

// Element text with its carriage returns kept: the XML reader turns a
// literal CR LF into LF, a character reference it keeps.
inline void writeText(QXmlStreamWriter &w, const QString &text) {
    const QStringList parts = text.split(u'\r');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            w.writeEntityReference(QStringLiteral("#13"));
        w.writeCharacters(parts[i]);
    }
}

// A box as the attributes x, y, w, h.
inline QRectF readRect(const Attributes &a) {
    return QRectF(a.number(QStringLiteral("x"), 0), a.number(QStringLiteral("y"), 0),
                  a.number(QStringLiteral("w"), 0), a.number(QStringLiteral("h"), 0));
}

inline void writeRect(QXmlStreamWriter &w, const QRectF &r) {
    w.writeAttribute(QStringLiteral("x"), num(r.x()));
    w.writeAttribute(QStringLiteral("y"), num(r.y()));
    w.writeAttribute(QStringLiteral("w"), num(r.width()));
    w.writeAttribute(QStringLiteral("h"), num(r.height()));
}

} // namespace varnok::report::xml
