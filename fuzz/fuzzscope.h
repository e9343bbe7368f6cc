#pragma once

#include "printing/expression.h"
#include "printing/template.h"

#include <QHash>

namespace varnok::fuzz {

// Names as a print sees them: the template's variables, one dataset
// (frxDBDataset1) with a text, a number and a NULL column, and the
// engine's page and date names.
class FuzzScope : public report::Scope {
public:
    void addVariable(const QString &name, const QString &value);
    void addVariables(const std::vector<report::Variable> &variables);

    bool variable(const QString &name, QString *valueText) const override;
    bool column(const QString &dataSet, const QString &column, report::Value *value) const override;
    bool builtin(const QString &name, report::Value *value) const override;

private:
    QHash<QString, QString> m_variables; // lower-case names
};

// A value as a text object prints it.
QString display(const report::Value &v);

} // namespace varnok::fuzz
