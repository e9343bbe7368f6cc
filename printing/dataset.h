#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <utility>
#include <vector>

namespace varnok {
class ZQuery;
}

namespace varnok::report {

// The report's dataset (frxDBDataset1): the one row the report prints.
// Field names are matched without regard to case.
class ReportDataSet {
public:
    virtual ~ReportDataSet() = default;

    // The name by which templates refer to the dataset.
    virtual QString userName() const { return QStringLiteral("frxDBDataset1"); }
    virtual bool isOpen() const = 0;
    virtual QStringList fieldNames() const = 0;
    virtual bool hasField(const QString &name) const;
    // The field as the window shows it (numbers with the decimal
    // separator in force, NULL as "").
    virtual QString fieldText(const QString &name) const = 0;
    // The raw value: a number, text or date; invalid for NULL.
    virtual QVariant fieldValue(const QString &name) const = 0;
};

// The open row of ZQuery1. Reading goes through the fields only: it never
// posts the row's pending edits, so they stay pending (and the window
// still warns about them) after a print.
class QueryDataSet : public ReportDataSet {
public:
    explicit QueryDataSet(ZQuery *query = nullptr) : m_query(query) {}
    void setQuery(ZQuery *query) { m_query = query; }
    ZQuery *query() const { return m_query; }

    bool isOpen() const override;
    QStringList fieldNames() const override;
    bool hasField(const QString &name) const override;
    QString fieldText(const QString &name) const override;
    QVariant fieldValue(const QString &name) const override;

private:
    ZQuery *m_query;
};

// A row held in memory, in column order: for tools and benchmarks that
// print without a database.
class MemoryDataSet : public ReportDataSet {
public:
    MemoryDataSet() = default;
    explicit MemoryDataSet(std::vector<std::pair<QString, QVariant>> fields)
        : m_fields(std::move(fields)) {}

    void set(const QString &name, const QVariant &value); // adds or replaces

    bool isOpen() const override { return true; }
    QStringList fieldNames() const override;
    QString fieldText(const QString &name) const override;
    QVariant fieldValue(const QString &name) const override;

private:
    const QVariant *find(const QString &name) const;
    std::vector<std::pair<QString, QVariant>> m_fields;
};

} // namespace varnok::report
