#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>

namespace varnok::report {

// What an expression yields: nothing (an empty variable, a NULL column),
// a text, or a number together with the text it prints as.
class Value {
public:
    enum class Kind { Null, Text, Number };

    Value() = default;
    static Value text(QString text);
    // display: how the number prints when no number format applies; empty
    // gives the number with the decimal separator in force.
    static Value number(double number, QString display = QString());

    Kind kind() const { return m_kind; }
    bool isNull() const { return m_kind == Kind::Null; }
    bool isNumber() const { return m_kind == Kind::Number; }
    double toNumber() const; // Null: 0; a text: 0 unless it reads as a number
    QString toText() const;  // Null: ""

    bool operator==(const Value &o) const {
        return m_kind == o.m_kind && m_text == o.m_text && m_number == o.m_number;
    }

private:
    Kind m_kind = Kind::Null;
    QString m_text;
    double m_number = 0;
};

// Where the names of an expression are looked up.
class Scope {
public:
    virtual ~Scope() = default;
    // A report variable by name, without regard to case: its value text.
    virtual bool variable(const QString &name, QString *valueText) const = 0;
    // A column of a dataset (name as the template writes it; empty means
    // the report's one dataset). Throws when the dataset is unknown.
    virtual bool column(const QString &dataSet, const QString &column, Value *value) const = 0;
    // Names the engine provides itself (page numbers, date).
    virtual bool builtin(const QString &name, Value *value) const = 0;
};

// Evaluates the expressions of a report.
//
// Syntax: operands joined by '+'. An operand is
//   - a string literal in single quotes,
//   - a number (digits, optionally '.' and digits),
//   - a name: a report variable, else a column of the report's dataset,
//     else a built-in name (Page, TotalPages, Date, Time; the page names
//     may also be written "Page#" and "TotalPages#"),
//   - a column as  frxDBDataset1."column"  or  <frxDBDataset1."column">,
//     and any name in angle brackets: <rok2>,
//   - an expression in parentheses.
// '+' adds two numbers and joins anything else as text.
//
// String literals and quotes inside them. Caption texts reach the report
// wrapped in single quotes without any escaping, so a caption such as
// Firma's name arrives as 'Firma's name'. A quote therefore closes a
// literal only when the next character that is not a blank ends the
// expression (end of text, or the ']' closing an expression embedded in a
// text object) or is an operator ('+' or ')'). Every other quote is part of
// the text: 'Firma's name' yields Firma's name, and '' is the empty text.
// There is no doubling escape: '' inside a literal stays two quotes.
//
// Variables. A variable's value is itself evaluated as an expression,
// except that a value holding CR LF is taken literally, and an empty value
// yields nothing. A variable that refers back to itself, directly or
// through others, is an error rather than an endless loop.
//
// Errors. A name that is neither a variable, a column nor a built-in name,
// an unknown dataset or column, and malformed syntax throw varnok::Error
// with a message naming the culprit; preparing the report then fails and
// shows it. Declaring a variable with an empty value in the template is
// the way to let a missing caption print as nothing.
//
// Limits. So that a hand-edited template can neither overflow the stack
// nor hang the print, an expression nested in more than 64 parentheses,
// one that reads report variables more than 10000 times (variables using
// the next one twice grow exponentially) and a text over a million
// characters are errors too.
class Evaluator {
public:
    explicit Evaluator(const Scope &scope) : m_scope(scope) {}

    Value evaluate(QStringView expression) const;

    // Copies text, replacing every "[expression]" by its value as format
    // gives it. A '[' without its ']' is an error.
    QString expand(QStringView text, const std::function<QString(const Value &)> &format) const;

private:
    friend class Parser;
    Value variableValue(const QString &name, const QString &valueText) const;

    const Scope &m_scope;
    mutable QStringList m_active;    // variables being evaluated, lower case
    mutable int m_variableReads = 0; // in the current outermost expression
};

} // namespace varnok::report
