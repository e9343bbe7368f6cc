#include "printing/prepare.h"

#include "common/error.h"
#include "common/formatsettings.h"
#include "printing/dataset.h"
#include "printing/expression.h"
#include "printing/fontmetrics.h"

#include <QHash>
#include <algorithm>
#include <cmath>

namespace varnok::report {

namespace {

constexpr double kLineSpacing = 1.15; // line height as a multiple of the font size
constexpr double kMinShrinkSize = 5;  // points
constexpr double kShrinkStep = 0.5;
// Enough to shrink from 500 points; bounds the work for absurd sizes.
constexpr int kMaxShrinkSteps = 1000;
constexpr double kEpsilon = 0.01;

// Names of one preparation: the template's variables, the dataset and the
// engine's own names.
class ReportScope : public Scope {
public:
    ReportScope(const Template &t, const ReportDataSet *ds, const PrepareOptions &options)
        : m_dataSet(ds), m_options(options) {
        for (const Variable &v : t.variables)
            m_variables.insert(v.name.toLower(), v.value);
        m_pageCount = qMax<int>(1, int(t.pages.size()));
    }

    void setPage(int page) { m_page = page; }

    bool variable(const QString &name, QString *valueText) const override {
        const auto it = m_variables.constFind(name.toLower());
        if (it == m_variables.constEnd())
            return false;
        *valueText = *it;
        return true;
    }

    bool column(const QString &dataSet, const QString &column, Value *value) const override {
        if (!dataSet.isEmpty()) {
            if (!m_dataSet || dataSet.compare(m_dataSet->userName(), Qt::CaseInsensitive) != 0)
                throw Error(QStringLiteral("Neznámá datová sada „%1“.").arg(dataSet));
            if (!m_dataSet->isOpen())
                throw Error(QStringLiteral("Datová sada „%1“ není otevřena.").arg(dataSet));
        } else if (!m_dataSet || !m_dataSet->isOpen()) {
            return false;
        }
        if (!m_dataSet->hasField(column))
            return false;
        const QVariant v = m_dataSet->fieldValue(column);
        if (v.isNull())
            *value = Value();
        else if (isNumeric(v))
            *value = Value::number(v.toDouble(), m_dataSet->fieldText(column));
        else
            *value = Value::text(m_dataSet->fieldText(column));
        return true;
    }

    bool builtin(const QString &name, Value *value) const override {
        const QString n = name.toLower();
        if (n == u"page" || n == u"page#")
            *value = Value::number(m_page);
        else if (n == u"totalpages" || n == u"totalpages#")
            *value = Value::number(m_pageCount);
        else if (n == u"date")
            *value = Value::text(m_options.printedAt.date().toString(QStringLiteral("d.M.yyyy")));
        else if (n == u"time")
            *value = Value::text(m_options.printedAt.time().toString(QStringLiteral("H:mm")));
        else
            return false;
        return true;
    }

private:
    static bool isNumeric(const QVariant &v) {
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Double:
        case QMetaType::Float:
            return true;
        default:
            return false;
        }
    }

    QHash<QString, QString> m_variables; // lower-case names
    const ReportDataSet *m_dataSet;
    const PrepareOptions &m_options;
    int m_page = 1;
    int m_pageCount = 1;
};

// How an expression's value prints in a text object.
QString display(const Value &v, const QString &numberFormat) {
    if (v.isNumber() && numberFormat.size() >= 2 && numberFormat[0] == u'n') {
        bool ok = false;
        const int decimals = numberFormat.mid(1).toInt(&ok);
        if (ok && decimals >= 0 && decimals <= 9)
            return formatGrouped(v.toNumber(), decimals);
    }
    return v.toText();
}

struct Line {
    QString text;
    double width = 0;
    bool paragraphEnd = true;
};

// The longest prefix of text that fits, at least one character.
qsizetype fittingPrefix(const QString &text, const RunFont &font, double maxWidth) {
    const FontMetrics &m = FontMetrics::instance();
    qsizetype n = 0;
    double w = 0;
    while (n < text.size()) {
        const double cw = m.width(font, QStringView(text).mid(n, 1));
        if (n > 0 && w + cw > maxWidth + kEpsilon)
            break;
        w += cw;
        ++n;
    }
    return qMax<qsizetype>(1, n);
}

void chopTrailingBlanks(QString &s) {
    while (!s.isEmpty() && s.back() == u' ')
        s.chop(1);
}

// Breaks text into lines: at its own line breaks, and with wrap also
// between words (and inside a word longer than a line). Without wrap a
// line too long for the box is cut at the last character that fits.
std::vector<Line> breakLines(const QString &text, const RunFont &font, double maxWidth, bool wrap) {
    const FontMetrics &m = FontMetrics::instance();
    std::vector<Line> lines;
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    const QStringList paragraphs = normalized.split(u'\n');
    for (const QString &para : paragraphs) {
        if (!wrap) {
            QString s = para;
            if (m.width(font, s) > maxWidth + kEpsilon)
                s.truncate(fittingPrefix(s, font, maxWidth));
            lines.push_back({s, m.width(font, s), true});
            continue;
        }
        const QStringList words = para.split(u' ');
        QString current;
        bool started = false;
        auto push = [&](QString s) {
            chopTrailingBlanks(s);
            lines.push_back({s, m.width(font, s), false});
        };
        for (const QString &word : words) {
            const QString candidate = started ? current + u' ' + word : word;
            if (!started || m.width(font, candidate) <= maxWidth + kEpsilon) {
                current = candidate;
                started = true;
            } else {
                push(current);
                current = word;
            }
            while (m.width(font, current) > maxWidth + kEpsilon && current.size() > 1) {
                const qsizetype n = fittingPrefix(current, font, maxWidth);
                if (n >= current.size())
                    break;
                push(current.left(n));
                current = current.mid(n);
            }
        }
        QString last = current;
        chopTrailingBlanks(last);
        lines.push_back({last, m.width(font, last), true});
    }
    return lines;
}

RunFont runFont(const FontSpec &font, double size) {
    RunFont f;
    f.base = baseFontFor(font.family);
    f.bold = font.bold;
    f.italic = font.italic;
    f.size = size;
    return f;
}

QRectF mmRect(const QRectF &mm, const Margins &margins) {
    return QRectF(mmToPt(mm.x() + margins.left), mmToPt(mm.y() + margins.top), mmToPt(mm.width()),
                  mmToPt(mm.height()));
}

QPointF mmPoint(const QPointF &mm, const Margins &margins) {
    return QPointF(mmToPt(mm.x() + margins.left), mmToPt(mm.y() + margins.top));
}

void addFrame(const Frame &frame, const QRectF &box, std::vector<DrawItem> &items) {
    if (!frame.any() || frame.width <= 0)
        return;
    if (frame.left && frame.top && frame.right && frame.bottom) {
        items.emplace_back(RectItem{box, frame.width, frame.color});
        return;
    }
    if (frame.top)
        items.emplace_back(LineItem{box.topLeft(), box.topRight(), frame.width, frame.color});
    if (frame.bottom)
        items.emplace_back(LineItem{box.bottomLeft(), box.bottomRight(), frame.width, frame.color});
    if (frame.left)
        items.emplace_back(LineItem{box.topLeft(), box.bottomLeft(), frame.width, frame.color});
    if (frame.right)
        items.emplace_back(LineItem{box.topRight(), box.bottomRight(), frame.width, frame.color});
}

void addJustifiedLine(const Line &line, const RunFont &font, const QColor &color, double left,
                      double innerWidth, double baseline, std::vector<DrawItem> &items) {
    const FontMetrics &m = FontMetrics::instance();
    const QStringList words = line.text.split(u' ', Qt::SkipEmptyParts);
    double total = 0;
    std::vector<double> widths;
    for (const QString &w : words) {
        widths.push_back(m.width(font, w));
        total += widths.back();
    }
    const double gap = (innerWidth - total) / double(words.size() - 1);
    double x = left;
    for (int i = 0; i < words.size(); ++i) {
        items.emplace_back(TextRun{QPointF(x, baseline), words[i], font, color, widths[size_t(i)]});
        x += widths[size_t(i)] + gap;
    }
}

void prepareObject(const Evaluator &ev, const ReportObject &object, const Margins &margins,
                   std::vector<DrawItem> &items) {
    if (const auto *t = std::get_if<TextObject>(&object)) {
        const QString text =
            ev.expand(t->text, [t](const Value &v) { return display(v, t->numberFormat); });
        layoutText(*t, text, mmRect(t->rect, margins), items);
    } else if (const auto *l = std::get_if<LineObject>(&object)) {
        items.emplace_back(
            LineItem{mmPoint(l->from, margins), mmPoint(l->to, margins), l->width, l->color});
    } else if (const auto *r = std::get_if<RectObject>(&object)) {
        const QRectF box = mmRect(r->rect, margins);
        if (r->fill.isValid())
            items.emplace_back(FillItem{box, r->fill});
        if (r->lineWidth > 0)
            items.emplace_back(RectItem{box, r->lineWidth, r->lineColor});
    }
}

QString objectLabel(const ReportObject &object, int pageNumber) {
    const QString name = std::visit([](const auto &o) { return o.name; }, object);
    if (!name.isEmpty())
        return QStringLiteral("Objekt „%1“ (strana %2)").arg(name).arg(pageNumber);
    return QStringLiteral("Objekt na straně %1").arg(pageNumber);
}

PreparedPage blankPage() {
    PreparedPage p;
    p.size = QSizeF(mmToPt(210), mmToPt(297));
    return p;
}

} // namespace

QString formatGrouped(double value, int decimals) {
    const QString digits = QString::number(std::fabs(value), 'f', decimals);
    const qsizetype point = digits.indexOf(u'.');
    const QString whole = point < 0 ? digits : digits.left(point);
    QString grouped;
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            grouped += QChar(0x00A0);
        grouped += whole[i];
    }
    if (point >= 0)
        grouped += decimalSeparator() + digits.mid(point + 1);
    // No minus for a value that rounds to zero.
    const bool negative = value < 0 && std::any_of(digits.begin(), digits.end(),
                                                   [](QChar c) { return c >= u'1' && c <= u'9'; });
    return negative ? u'-' + grouped : grouped;
}

void layoutText(const TextObject &object, const QString &text, const QRectF &box,
                std::vector<DrawItem> &items) {
    if (object.fill.isValid())
        items.emplace_back(FillItem{box, object.fill});

    const FontMetrics &m = FontMetrics::instance();
    const QRectF inner = box.adjusted(mmToPt(object.paddingX), mmToPt(object.paddingY),
                                      -mmToPt(object.paddingX), -mmToPt(object.paddingY));
    const double innerWidth = qMax(0.0, inner.width());
    const double innerHeight = qMax(0.0, inner.height());

    double size = object.font.size;
    RunFont font = runFont(object.font, size);
    std::vector<Line> lines = breakLines(text, font, innerWidth, object.wordWrap);
    if (object.shrinkToFit) {
        // Without wrap a cut line is the overflow; with wrap the height is.
        auto fits = [&](const std::vector<Line> &ls, double s) {
            if (double(ls.size()) * s * kLineSpacing > innerHeight + kEpsilon)
                return false;
            if (!object.wordWrap) {
                QString normalized = text;
                normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                    .replace(u'\r', u'\n');
                const QStringList paragraphs = normalized.split(u'\n');
                for (const QString &p : paragraphs)
                    if (m.width(runFont(object.font, s), p) > innerWidth + kEpsilon)
                        return false;
            }
            return true;
        };
        for (int step = 0; step < kMaxShrinkSteps && !fits(lines, size) &&
                           size - kShrinkStep >= kMinShrinkSize - kEpsilon;
             ++step) {
            size -= kShrinkStep;
            font = runFont(object.font, size);
            lines = breakLines(text, font, innerWidth, object.wordWrap);
        }
    }

    const double lineHeight = size * kLineSpacing;
    // As many lines as the height holds, at least one; with a zero font
    // size or a huge box that is more than any text has.
    const double fitting = std::floor((innerHeight + kEpsilon) / lineHeight);
    const size_t maxLines =
        fitting >= double(lines.size()) ? lines.size() : size_t(qMax(1.0, fitting));
    if (lines.size() > maxLines)
        lines.resize(maxLines);

    const double total = double(lines.size()) * lineHeight;
    double top = inner.top();
    if (object.vAlign == VAlign::Center)
        top = inner.top() + (innerHeight - total) / 2;
    else if (object.vAlign == VAlign::Bottom)
        top = inner.bottom() - total;
    // The glyphs sit centred in their line: half the leading above.
    const double glyphHeight = m.ascent(font) + m.descent(font);
    const double baselineOffset = (lineHeight - glyphHeight) / 2 + m.ascent(font);

    for (size_t i = 0; i < lines.size(); ++i) {
        const Line &line = lines[i];
        if (line.text.isEmpty())
            continue;
        const double baseline = top + double(i) * lineHeight + baselineOffset;
        if (object.hAlign == HAlign::Justify && !line.paragraphEnd && line.text.contains(u' ') &&
            line.text.split(u' ', Qt::SkipEmptyParts).size() > 1) {
            addJustifiedLine(line, font, object.color, inner.left(), innerWidth, baseline, items);
            continue;
        }
        double x = inner.left();
        if (object.hAlign == HAlign::Right)
            x = inner.right() - line.width;
        else if (object.hAlign == HAlign::Center)
            x = inner.left() + (innerWidth - line.width) / 2;
        items.emplace_back(
            TextRun{QPointF(x, baseline), line.text, font, object.color, line.width});
    }

    addFrame(object.frame, box, items);
}

PreparedReport prepareReport(const Template &report, const ReportDataSet *dataSet,
                             const PrepareOptions &options) {
    PreparedReport out;
    if (report.pages.empty()) {
        out.pages.push_back(blankPage());
        return out;
    }
    ReportScope scope(report, dataSet, options);
    const Evaluator ev(scope);
    int pageNumber = 0;
    for (const Page &page : report.pages) {
        ++pageNumber;
        scope.setPage(pageNumber);
        PreparedPage p;
        const QSizeF mm = page.orientedSize();
        p.size = QSizeF(mmToPt(mm.width()), mmToPt(mm.height()));
        p.paper = page.paper;
        p.orientation = page.orientation;
        for (const ReportObject &object : page.objects) {
            try {
                prepareObject(ev, object, page.margins, p.items);
            } catch (const Error &e) {
                throw Error(
                    QStringLiteral("%1: %2").arg(objectLabel(object, pageNumber), e.message()));
            }
        }
        out.pages.push_back(std::move(p));
    }
    return out;
}

} // namespace varnok::report
