#include "printing/dataset.h"

#include "common/formatsettings.h"
#include "records/query.h"

#include <QDate>

namespace varnok::report {

bool ReportDataSet::hasField(const QString &name) const {
    return fieldNames().contains(name, Qt::CaseInsensitive);
}

// --- QueryDataSet --------------------------------------------------------

bool QueryDataSet::isOpen() const {
    return m_query && m_query->active();
}

QStringList QueryDataSet::fieldNames() const {
    QStringList names;
    if (!isOpen())
        return names;
    for (int i = 0; i < m_query->fieldCount(); ++i)
        names << m_query->field(i).fieldName();
    return names;
}

bool QueryDataSet::hasField(const QString &name) const {
    return isOpen() && m_query->findField(name);
}

QString QueryDataSet::fieldText(const QString &name) const {
    ZField *f = isOpen() ? m_query->findField(name) : nullptr;
    return f ? f->asString() : QString();
}

QVariant QueryDataSet::fieldValue(const QString &name) const {
    ZField *f = isOpen() ? m_query->findField(name) : nullptr;
    return f ? f->value() : QVariant();
}

// --- MemoryDataSet -------------------------------------------------------

void MemoryDataSet::set(const QString &name, const QVariant &value) {
    for (auto &[n, v] : m_fields) {
        if (n.compare(name, Qt::CaseInsensitive) == 0) {
            v = value;
            return;
        }
    }
    m_fields.emplace_back(name, value);
}

const QVariant *MemoryDataSet::find(const QString &name) const {
    for (const auto &[n, v] : m_fields)
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return &v;
    return nullptr;
}

QStringList MemoryDataSet::fieldNames() const {
    QStringList names;
    for (const auto &f : m_fields)
        names << f.first;
    return names;
}

QString MemoryDataSet::fieldText(const QString &name) const {
    const QVariant *v = find(name);
    if (!v || v->isNull())
        return QString();
    switch (v->typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return formatFloat(v->toDouble());
    case QMetaType::QDate:
        return v->toDate().toString(QStringLiteral("d.M.yyyy"));
    default:
        return v->toString();
    }
}

QVariant MemoryDataSet::fieldValue(const QString &name) const {
    const QVariant *v = find(name);
    return v ? *v : QVariant();
}

} // namespace varnok::report
