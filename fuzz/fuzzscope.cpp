#include "fuzzscope.h"

#include "common/error.h"

namespace varnok::fuzz {

using report::Value;

void FuzzScope::addVariable(const QString &name, const QString &value) {
    m_variables.insert(name.toLower(), value);
}

void FuzzScope::addVariables(const std::vector<report::Variable> &variables) {
    for (const report::Variable &v : variables)
        addVariable(v.name, v.value);
}

bool FuzzScope::variable(const QString &name, QString *valueText) const {
    const auto it = m_variables.constFind(name.toLower());
    if (it == m_variables.constEnd())
        return false;
    *valueText = *it;
    return true;
}

bool FuzzScope::column(const QString &dataSet, const QString &column, Value *value) const {
    if (!dataSet.isEmpty() && dataSet.compare(u"frxDBDataset1", Qt::CaseInsensitive) != 0)
        throw Error(QStringLiteral("Neznámá datová sada „%1“.").arg(dataSet));
    const QString c = column.toLower();
    if (c == u"ico")
        *value = Value::text(QStringLiteral("46345701"));
    else if (c == u"prod01_hekt")
        *value = Value::number(125.5, QStringLiteral("125,5"));
    else if (c == u"kredit")
        *value = Value::number(1.21e9);
    else if (c == u"pozn_duvod")
        *value = Value();
    else
        return false;
    return true;
}

bool FuzzScope::builtin(const QString &name, Value *value) const {
    const QString n = name.toLower();
    if (n == u"page" || n == u"page#" || n == u"totalpages" || n == u"totalpages#")
        *value = Value::number(2);
    else if (n == u"date")
        *value = Value::text(QStringLiteral("11.12.2024"));
    else if (n == u"time")
        *value = Value::text(QStringLiteral("9:05"));
    else
        return false;
    return true;
}

QString display(const Value &v) {
    return v.toText();
}

} // namespace varnok::fuzz
