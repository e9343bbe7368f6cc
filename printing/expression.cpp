#include "printing/expression.h"

#include "common/error.h"
#include "common/formatsettings.h"

namespace varnok::report {

Value Value::text(QString text) {
    Value v;
    v.m_kind = Kind::Text;
    v.m_text = std::move(text);
    return v;
}

Value Value::number(double number, QString display) {
    Value v;
    v.m_kind = Kind::Number;
    v.m_number = number;
    v.m_text = display.isEmpty() ? formatFloat(number) : std::move(display);
    return v;
}

double Value::toNumber() const {
    switch (m_kind) {
    case Kind::Null:
        return 0;
    case Kind::Number:
        return m_number;
    case Kind::Text: {
        double d = 0;
        return parseFloat(m_text.trimmed(), &d) ? d : 0;
    }
    }
    return 0;
}

QString Value::toText() const {
    return m_kind == Kind::Null ? QString() : m_text;
}

namespace {

// Undoes the mark of a variable under evaluation however its evaluation
// ends.
class ActiveMark {
public:
    ActiveMark(QStringList &list, const QString &key) : m_list(list) { m_list.append(key); }
    ~ActiveMark() { m_list.removeLast(); }

private:
    QStringList &m_list;
};

constexpr int kMaxNesting = 64;
// Bounds for hand-edited templates: parentheses nest on the stack, and
// variables that each use the next one twice take exponential time and
// memory, so deeper or bigger than any real report is an error.
constexpr int kMaxParentheses = 64;
constexpr int kMaxVariableReads = 10000;
constexpr qsizetype kMaxTextLength = 1000000;

} // namespace

// Recursive descent over one expression. In bracketed mode the expression
// is embedded in a text object and ends at its closing ']'.
class Parser {
public:
    Parser(const Evaluator &ev, QStringView src, qsizetype pos, bool bracketed)
        : m_ev(ev), m_src(src), m_start(pos), m_pos(pos), m_bracketed(bracketed) {}

    qsizetype pos() const { return m_pos; }

    Value parseExpression() {
        skipBlanks();
        if (atEnd())
            fail(QStringLiteral("prázdný výraz"));
        Value result = operand();
        skipBlanks();
        while (!atEnd()) {
            if (peek() != u'+')
                fail(QStringLiteral("za hodnotou očekávám „+“, ne „%1“").arg(peek()));
            ++m_pos;
            skipBlanks();
            result = add(result, operand());
            skipBlanks();
        }
        return result;
    }

private:
    Value add(const Value &a, const Value &b) const {
        const bool numeric = (a.isNumber() || a.isNull()) && (b.isNumber() || b.isNull()) &&
                             (a.isNumber() || b.isNumber());
        if (numeric)
            return Value::number(a.toNumber() + b.toNumber());
        if (a.isNull() && b.isNull())
            return Value();
        if (a.toText().size() + b.toText().size() > kMaxTextLength)
            fail(QStringLiteral("text je delší než %1 znaků").arg(kMaxTextLength));
        return Value::text(a.toText() + b.toText());
    }

    QChar peek() const { return m_pos < m_src.size() ? m_src[m_pos] : QChar(); }
    bool isBlank(QChar c) const { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }
    void skipBlanks() {
        while (m_pos < m_src.size() && isBlank(m_src[m_pos]))
            ++m_pos;
    }
    bool endsAt(qsizetype i) const {
        return i >= m_src.size() || (m_bracketed && m_src[i] == u']');
    }
    bool atEnd() const { return endsAt(m_pos); }

    [[noreturn]] void fail(const QString &why) const {
        qsizetype end = m_src.size();
        if (m_bracketed) {
            const qsizetype close = m_src.indexOf(u']', m_pos);
            if (close >= 0)
                end = close;
        }
        throw Error(QStringLiteral("Chyba ve výrazu „%1“: %2")
                        .arg(m_src.mid(m_start, end - m_start).toString(), why));
    }

    Value operand() {
        if (atEnd())
            fail(QStringLiteral("chybí hodnota"));
        const QChar c = peek();
        if (c == u'\'')
            return Value::text(literal());
        if (c.isDigit())
            return number();
        if (c == u'(') {
            if (m_depth >= kMaxParentheses)
                fail(QStringLiteral("závorky jsou vnořeny více než %1krát").arg(kMaxParentheses));
            ++m_pos;
            ++m_depth;
            Value v = parseParenthesised();
            --m_depth;
            return v;
        }
        if (c == u'<') {
            ++m_pos;
            skipBlanks();
            Value v = nameOrColumn();
            skipBlanks();
            if (peek() != u'>')
                fail(QStringLiteral("chybí „>“"));
            ++m_pos;
            return v;
        }
        if (c.isLetter() || c == u'_')
            return nameOrColumn();
        fail(QStringLiteral("nečekaný znak „%1“").arg(c));
    }

    Value parseParenthesised() {
        skipBlanks();
        Value result = operand();
        skipBlanks();
        while (peek() == u'+') {
            ++m_pos;
            skipBlanks();
            result = add(result, operand());
            skipBlanks();
        }
        if (peek() != u')')
            fail(QStringLiteral("chybí „)“"));
        ++m_pos;
        return result;
    }

    // See the rule in the header: a quote closes the literal only before
    // the end of the expression or an operator.
    bool closesLiteral(qsizetype afterQuote) const {
        qsizetype i = afterQuote;
        while (i < m_src.size() && isBlank(m_src[i]))
            ++i;
        return endsAt(i) || m_src[i] == u'+' || m_src[i] == u')';
    }

    QString literal() {
        const qsizetype begin = ++m_pos;
        for (qsizetype i = begin; i < m_src.size(); ++i) {
            if (m_src[i] == u'\'' && closesLiteral(i + 1)) {
                m_pos = i + 1;
                return m_src.mid(begin, i - begin).toString();
            }
        }
        fail(QStringLiteral("neukončený řetězec"));
    }

    Value number() {
        const qsizetype begin = m_pos;
        while (peek().isDigit())
            ++m_pos;
        if (peek() == u'.' && m_pos + 1 < m_src.size() && m_src[m_pos + 1].isDigit()) {
            ++m_pos;
            while (peek().isDigit())
                ++m_pos;
        }
        return Value::number(m_src.mid(begin, m_pos - begin).toDouble());
    }

    QString identifier() {
        const qsizetype begin = m_pos;
        if (!(peek().isLetter() || peek() == u'_'))
            fail(QStringLiteral("očekávám název"));
        while (peek().isLetterOrNumber() || peek() == u'_')
            ++m_pos;
        if (peek() == u'#')
            ++m_pos;
        return m_src.mid(begin, m_pos - begin).toString();
    }

    // A name, or dataset."column".
    Value nameOrColumn() {
        const QString name = identifier();
        if (peek() == u'.' && m_pos + 1 < m_src.size() && m_src[m_pos + 1] == u'"') {
            m_pos += 2;
            const qsizetype close = m_src.indexOf(u'"', m_pos);
            if (close < 0)
                fail(QStringLiteral("chybí uzavírací „\"“ za názvem pole"));
            const QString column = m_src.mid(m_pos, close - m_pos).toString();
            m_pos = close + 1;
            Value v;
            if (!m_ev.m_scope.column(name, column, &v))
                throw Error(QStringLiteral("Datová sada „%1“ nemá pole „%2“.").arg(name, column));
            return v;
        }
        return resolve(name);
    }

    Value resolve(const QString &name) {
        QString valueText;
        if (m_ev.m_scope.variable(name, &valueText))
            return m_ev.variableValue(name, valueText);
        Value v;
        if (m_ev.m_scope.column(QString(), name, &v))
            return v;
        if (m_ev.m_scope.builtin(name, &v))
            return v;
        throw Error(
            QStringLiteral("Neznámý název „%1“: není to proměnná sestavy ani pole datové sady.")
                .arg(name));
    }

    const Evaluator &m_ev;
    QStringView m_src;
    qsizetype m_start;
    qsizetype m_pos;
    bool m_bracketed;
    int m_depth = 0; // open parentheses
};

Value Evaluator::evaluate(QStringView expression) const {
    if (m_active.isEmpty())
        m_variableReads = 0;
    Parser p(*this, expression, 0, false);
    return p.parseExpression();
}

Value Evaluator::variableValue(const QString &name, const QString &valueText) const {
    const QString key = name.toLower();
    if (m_active.contains(key) || m_active.size() >= kMaxNesting)
        throw Error(QStringLiteral("Proměnná „%1“ odkazuje sama na sebe.").arg(name));
    if (++m_variableReads > kMaxVariableReads)
        throw Error(QStringLiteral(
                        "Výraz je příliš složitý: proměnné sestavy se v něm čtou více než %1krát "
                        "(naposledy „%2“).")
                        .arg(kMaxVariableReads)
                        .arg(name));
    if (valueText.contains(QStringLiteral("\r\n")))
        return Value::text(valueText);
    if (valueText.trimmed().isEmpty())
        return Value();
    ActiveMark mark(m_active, key);
    return evaluate(valueText);
}

QString Evaluator::expand(QStringView text,
                          const std::function<QString(const Value &)> &format) const {
    m_variableReads = 0;
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype open = text.indexOf(u'[', i);
        if (open < 0) {
            out += text.mid(i);
            break;
        }
        out += text.mid(i, open - i);
        Parser p(*this, text, open + 1, true);
        const Value v = p.parseExpression();
        if (p.pos() >= text.size())
            throw Error(QStringLiteral("Chyba ve výrazu „%1“: chybí „]“")
                            .arg(text.mid(open + 1).toString()));
        out += format(v);
        i = p.pos() + 1;
    }
    return out;
}

} // namespace varnok::report
