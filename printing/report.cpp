#include "printing/report.h"

#include "common/error.h"
#include "printing/engineerror.h"
#include "printing/exportfilter.h"
#include "printing/fileerrors.h"
#include "printing/templatexml.h"

#include <QFileInfo>

namespace varnok::report {

void Report::clear() {
    m_template = Template();
}

bool Report::loadFromFile(const QString &path, bool raiseIfMissing) {
    clear();
    if (!QFileInfo::exists(path)) {
        if (raiseIfMissing)
            throw cannotOpenFile(path, QStringLiteral("No such file or directory"));
        return false;
    }
    m_template = loadTemplate(path);
    return true;
}

void Report::saveToFile(const QString &path) const {
    saveTemplate(path, m_template);
}

void Report::setVariable(const QString &name, const QString &value) {
    for (Variable &v : m_template.variables) {
        if (v.name.compare(name, Qt::CaseInsensitive) == 0) {
            v.value = value;
            return;
        }
    }
    m_template.variables.push_back({name, value});
}

bool Report::hasVariable(const QString &name) const {
    for (const Variable &v : m_template.variables)
        if (v.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString Report::variable(const QString &name) const {
    for (const Variable &v : m_template.variables)
        if (v.name.compare(name, Qt::CaseInsensitive) == 0)
            return v.value;
    return QString();
}

bool Report::prepareReport(bool clearLastReport) {
    if (clearLastReport)
        m_prepared = PreparedReport();
    PrepareOptions options;
    if (m_printedAt.isValid())
        options.printedAt = m_printedAt;
    try {
        PreparedReport pages = report::prepareReport(m_template, m_dataSet, options);
        for (PreparedPage &p : pages.pages)
            m_prepared.pages.push_back(std::move(p));
        return true;
    } catch (const Error &e) {
        m_prepared = PreparedReport();
        showEngineError(e.message());
        return false;
    }
}

bool Report::exportTo(ExportFilter &filter) {
    if (m_prepared.isEmpty()) {
        showEngineError(QStringLiteral("Sestava nemá připravené stránky, není co exportovat."));
        return false;
    }
    return filter.exportReport(m_prepared);
}

} // namespace varnok::report
