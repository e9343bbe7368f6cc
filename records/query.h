#pragma once

#include "records/connection.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace varnok {

class ZQuery;

enum class DataSetState { Inactive, Browse, Edit, Insert };

// One column of the current row. Fields live as long as the result they
// belong to: a close or reopen replaces them.
class ZField {
public:
    using Kind = ColumnInfo::Kind;

    const QString &fieldName() const { return m_info.name; }
    Kind kind() const { return m_info.kind; }
    const ColumnInfo &info() const { return m_info; }
    bool isNumeric() const { return m_info.kind == Kind::Integer || m_info.kind == Kind::Float; }

    bool isNull() const;
    // NULL gives 0; a fraction is rounded to the nearest whole number,
    // halves to the even one.
    int asInteger() const;
    // NULL gives 0.
    double asFloat() const;
    // Numbers with the decimal separator in force; NULL gives "".
    QString asString() const;
    QDate asDate() const;
    const QVariant &value() const;

    // Each setter stores the value and marks the row modified, also when
    // the value does not change. The dataset must be in edit or insert
    // state. setAsString converts the text to the column's type and throws
    // the field's conversion message when it cannot; "" stores NULL.
    void setAsInteger(int value);
    void setAsFloat(double value);
    void setAsString(const QString &text);
    void setAsDate(const QDate &date);
    void clear(); // stores NULL

private:
    friend class ZQuery;
    ZField(ZQuery *query, int index, ColumnInfo info)
        : m_query(query), m_index(index), m_info(std::move(info)) {}
    void store(QVariant value);

    ZQuery *m_query;
    int m_index;
    ColumnInfo m_info;
};

// The dataset (ZQuery1): a statement text, and after open the first row
// of its result, which can be edited and posted back to its table.
class ZQuery : public QObject {
    Q_OBJECT
public:
    explicit ZQuery(ZConnection *connection, QObject *parent = nullptr);
    ~ZQuery() override;

    ZConnection *connection() const { return m_connection; }

    // Statement text: a list of lines sent as one statement, joined by
    // line breaks.
    QStringList &sql() { return m_sql; }
    const QStringList &sql() const { return m_sql; }
    QString sqlText() const { return m_sql.join(u'\n'); }
    void setSqlText(const QString &text);

    void open();    // runs the text as a select; current row: the first
    void execSQL(); // runs the text without a result; closes first
    void close();   // drops edits that were not posted

    bool active() const { return m_state != DataSetState::Inactive; }
    bool isEmpty() const { return !m_hasRow; }
    DataSetState state() const { return m_state; }
    bool modified() const { return m_modified; }

    // Edit or insert state: nothing happens. An open result without a row
    // starts inserting one.
    void edit();
    // Only in edit or insert state: writes the changed columns back to the
    // row's table (by its primary key) within the current transaction.
    void post();
    // Moving to the first row posts pending edits first.
    void first();

    // The row's values and edit state, to put an edit back after a save
    // whose commit failed.
    struct Snapshot {
        DataSetState state = DataSetState::Inactive;
        bool modified = false;
        std::vector<QVariant> values, original;
        std::vector<bool> written;
    };
    Snapshot snapshot() const;
    void restore(const Snapshot &snapshot);

    int fieldCount() const { return int(m_fields.size()); }
    ZField &field(int index) { return *m_fields.at(size_t(index)); }
    ZField *findField(const QString &name);
    ZField &fieldByName(const QString &name); // throws for an unknown name

signals:
    // The dataset was opened, closed or reloaded: every bound control
    // shows its column afresh.
    void dataReset();
    void stateChanged(varnok::DataSetState state);
    // One field received a value.
    void fieldChanged(int index);

private:
    friend class ZField;
    void requireActive() const;
    void setState(DataSetState state);
    void markWritten(int index);
    QString literal(const QVariant &value, const ZField &field) const;

    ZConnection *m_connection;
    QStringList m_sql;
    DataSetState m_state = DataSetState::Inactive;
    bool m_modified = false;
    bool m_hasRow = false;
    std::vector<std::unique_ptr<ZField>> m_fields;
    QHash<QString, int> m_byName; // lower-case names
    std::vector<QVariant> m_values;
    std::vector<QVariant> m_original;
    std::vector<bool> m_written;
};

} // namespace varnok
