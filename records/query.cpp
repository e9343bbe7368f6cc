#include "records/query.h"

#include "common/codepage.h"
#include "common/error.h"
#include "common/formatsettings.h"

#include <cfenv>
#include <climits>
#include <cmath>

namespace varnok {

namespace {

using Kind = ColumnInfo::Kind;

QVariant fromServer(const QByteArray &bytes, Kind kind) {
    if (bytes.isNull())
        return QVariant();
    switch (kind) {
    case Kind::Integer:
        return QVariant(bytes.toLongLong());
    case Kind::Float:
        return QVariant(bytes.toDouble());
    case Kind::Date: {
        const QDate d = QDate::fromString(QString::fromLatin1(bytes), QStringLiteral("yyyy-MM-dd"));
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case Kind::DateTime: {
        const QDateTime d = QDateTime::fromString(QString::fromLatin1(bytes.left(19)),
                                                  QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case Kind::Time:
        return QVariant(
            QTime::fromString(QString::fromLatin1(bytes.left(8)), QStringLiteral("HH:mm:ss")));
    case Kind::Blob:
        return QVariant(bytes);
    case Kind::Text:
        break;
    }
    return QVariant(cp1250::decode(bytes));
}

// Whole number as the legacy conversion reads it: leading blanks, a sign,
// decimal digits, nothing after them.
bool parseInteger(const QString &text, qint64 *value) {
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == u' ')
        ++i;
    const QString t = text.mid(i);
    if (t.isEmpty())
        return false;
    for (qsizetype k = 0; k < t.size(); ++k) {
        const QChar c = t.at(k);
        if (!(c.isDigit() || (k == 0 && (c == u'+' || c == u'-'))))
            return false;
    }
    bool ok = false;
    const qint64 v = t.toLongLong(&ok);
    if (!ok || v < INT_MIN || v > INT_MAX)
        return false;
    *value = v;
    return true;
}

QString refusedCharacterMessage(QChar c, const QString &field) {
    return QStringLiteral(
               "Znak „%1“ (U+%2) nelze uložit do pole '%3': kódová stránka Windows-1250 jej "
               "neobsahuje.")
        .arg(c)
        .arg(c.unicode(), 4, 16, QLatin1Char('0'))
        .arg(field);
}

QString quoteIdentifier(const QString &name) {
    QString n = name;
    n.replace(u'`', QStringLiteral("``"));
    return u'`' + n + u'`';
}

} // namespace

// ---------------------------------------------------------------- ZField

const QVariant &ZField::value() const {
    m_query->requireActive();
    return m_query->m_values.at(size_t(m_index));
}

bool ZField::isNull() const {
    return value().isNull();
}

int ZField::asInteger() const {
    const QVariant &v = value();
    if (v.isNull())
        return 0;
    switch (m_info.kind) {
    case Kind::Integer: {
        const qint64 n = v.toLongLong();
        if (n < INT_MIN || n > INT_MAX)
            throw Error(
                QStringLiteral("Hodnota pole '%1' je mimo rozsah celého čísla").arg(fieldName()));
        return int(n);
    }
    case Kind::Float: {
        // Nearest whole number, halves to the even one (the default
        // rounding mode of the floating-point unit).
        const double r = std::nearbyint(v.toDouble());
        if (!(r >= INT_MIN && r <= INT_MAX))
            throw Error(
                QStringLiteral("Hodnota pole '%1' je mimo rozsah celého čísla").arg(fieldName()));
        return int(r);
    }
    default: {
        qint64 n = 0;
        const QString text = asString();
        if (!parseInteger(text, &n))
            throw Error(QStringLiteral("'%1' is not a valid integer value").arg(text));
        return int(n);
    }
    }
}

double ZField::asFloat() const {
    const QVariant &v = value();
    if (v.isNull())
        return 0;
    switch (m_info.kind) {
    case Kind::Integer:
        return double(v.toLongLong());
    case Kind::Float:
        return v.toDouble();
    default: {
        double d = 0;
        const QString text = asString();
        if (!parseFloat(text, &d))
            throw Error(QStringLiteral("'%1' is not a valid floating point value").arg(text));
        return d;
    }
    }
}

QString ZField::asString() const {
    const QVariant &v = value();
    if (v.isNull())
        return QString();
    switch (m_info.kind) {
    case Kind::Integer:
        return QString::number(v.toLongLong());
    case Kind::Float:
        return formatFloat(v.toDouble());
    case Kind::Date:
        return v.toDate().toString(QStringLiteral("d.M.yyyy"));
    case Kind::DateTime:
        return v.toDateTime().toString(QStringLiteral("d.M.yyyy H:mm:ss"));
    case Kind::Time:
        return v.toTime().toString(QStringLiteral("H:mm:ss"));
    case Kind::Blob:
        return cp1250::decode(v.toByteArray());
    case Kind::Text:
        break;
    }
    return v.toString();
}

QDate ZField::asDate() const {
    const QVariant &v = value();
    if (v.isNull())
        return QDate();
    if (m_info.kind == Kind::Date)
        return v.toDate();
    if (m_info.kind == Kind::DateTime)
        return v.toDateTime().date();
    const QDate d = QDate::fromString(asString(), QStringLiteral("d.M.yyyy"));
    if (!d.isValid())
        throw Error(QStringLiteral("'%1' is not a valid date").arg(asString()));
    return d;
}

void ZField::setAsInteger(int value) {
    if (m_info.kind == Kind::Text || m_info.kind == Kind::Blob)
        store(QVariant(QString::number(value)));
    else if (m_info.kind == Kind::Float)
        store(QVariant(double(value)));
    else
        store(QVariant(qint64(value)));
}

void ZField::setAsFloat(double value) {
    switch (m_info.kind) {
    case Kind::Float:
        store(QVariant(value));
        return;
    case Kind::Integer: {
        const double r = std::nearbyint(value);
        if (!(r >= INT_MIN && r <= INT_MAX))
            throw Error(
                QStringLiteral("Hodnota pole '%1' je mimo rozsah celého čísla").arg(fieldName()));
        store(QVariant(qint64(r)));
        return;
    }
    default:
        store(QVariant(formatFloat(value)));
    }
}

void ZField::setAsString(const QString &text) {
    if (text.isEmpty() && m_info.kind != Kind::Text) {
        clear();
        return;
    }
    switch (m_info.kind) {
    case Kind::Integer: {
        qint64 n = 0;
        if (!parseInteger(text, &n))
            throw Error(QStringLiteral("'%1' is not a valid integer value for field '%2'")
                            .arg(text, fieldName()));
        store(QVariant(n));
        return;
    }
    case Kind::Float: {
        double d = 0;
        if (!parseFloat(text, &d))
            throw Error(QStringLiteral("'%1' is not a valid floating point value for field '%2'")
                            .arg(text, fieldName()));
        store(QVariant(d));
        return;
    }
    case Kind::Date: {
        QDate d = QDate::fromString(text.trimmed(), QStringLiteral("d.M.yyyy"));
        if (!d.isValid())
            d = QDate::fromString(text.trimmed(), QStringLiteral("yyyy-MM-dd"));
        if (!d.isValid())
            throw Error(QStringLiteral("'%1' is not a valid date").arg(text));
        store(QVariant(d));
        return;
    }
    case Kind::DateTime: {
        const QDateTime d =
            QDateTime::fromString(text.trimmed(), QStringLiteral("d.M.yyyy H:mm:ss"));
        if (!d.isValid())
            throw Error(QStringLiteral("'%1' is not a valid date and time").arg(text));
        store(QVariant(d));
        return;
    }
    case Kind::Time: {
        const QTime t = QTime::fromString(text.trimmed(), QStringLiteral("H:mm:ss"));
        if (!t.isValid())
            throw Error(QStringLiteral("'%1' is not a valid time").arg(text));
        store(QVariant(t));
        return;
    }
    case Kind::Blob:
    case Kind::Text:
        break;
    }
    // Refuse what the server's code page cannot hold instead of storing '?'.
    QChar refused;
    if (!cp1250::encode(text, nullptr, &refused))
        throw Error(refusedCharacterMessage(refused, fieldName()));
    if (m_info.kind == Kind::Blob) {
        QByteArray bytes;
        cp1250::encode(text, &bytes);
        store(QVariant(bytes));
    } else {
        store(QVariant(text));
    }
}

void ZField::setAsDate(const QDate &date) {
    if (!date.isValid()) {
        clear();
        return;
    }
    if (m_info.kind == Kind::Date)
        store(QVariant(date));
    else if (m_info.kind == Kind::DateTime)
        store(QVariant(QDateTime(date, QTime(0, 0))));
    else
        setAsString(date.toString(QStringLiteral("d.M.yyyy")));
}

void ZField::clear() {
    store(QVariant());
}

void ZField::store(QVariant value) {
    m_query->requireActive();
    if (m_query->m_state != DataSetState::Edit && m_query->m_state != DataSetState::Insert)
        throw Error(
            QStringLiteral("%1: Dataset not in edit or insert mode").arg(m_query->objectName()));
    m_query->m_values[size_t(m_index)] = std::move(value);
    m_query->markWritten(m_index);
}

// ---------------------------------------------------------------- ZQuery

ZQuery::ZQuery(ZConnection *connection, QObject *parent)
    : QObject(parent), m_connection(connection) {}

ZQuery::~ZQuery() = default;

void ZQuery::setSqlText(const QString &text) {
    m_sql = text.split(u'\n');
}

void ZQuery::requireActive() const {
    if (m_state == DataSetState::Inactive)
        throw Error(QStringLiteral("%1: Cannot perform this operation on a closed dataset")
                        .arg(objectName()));
}

void ZQuery::setState(DataSetState state) {
    const bool changed = m_state != state;
    m_state = state;
    m_modified = false;
    if (changed)
        emit stateChanged(state);
}

void ZQuery::markWritten(int index) {
    m_written[size_t(index)] = true;
    m_modified = true;
    emit fieldChanged(index);
}

void ZQuery::open() {
    // The statement runs before the old result goes, so a failed select
    // leaves the row on screen.
    ResultSet result = m_connection->run(sqlText());
    close();
    if (result.columns.empty())
        throw SqlError(QStringLiteral("SQL chyba: příkaz nevrátil žádná data"));
    const size_t n = result.columns.size();
    m_fields.clear();
    m_byName.clear();
    m_fields.reserve(n);
    m_values.assign(n, QVariant());
    for (size_t i = 0; i < n; ++i) {
        m_byName.insert(result.columns[i].name, int(i));
        m_byName.insert(result.columns[i].name.toLower(), int(i));
        m_fields.emplace_back(new ZField(this, int(i), std::move(result.columns[i])));
    }
    m_hasRow = !result.rows.empty();
    if (m_hasRow)
        for (size_t i = 0; i < n; ++i)
            m_values[i] = fromServer(result.rows.front()[i], m_fields[i]->kind());
    m_original = m_values;
    m_written.assign(n, false);
    setState(DataSetState::Browse);
    emit dataReset();
}

void ZQuery::execSQL() {
    close();
    m_connection->run(sqlText());
}

void ZQuery::close() {
    if (m_state == DataSetState::Inactive)
        return;
    m_fields.clear();
    m_byName.clear();
    m_values.clear();
    m_original.clear();
    m_written.clear();
    m_hasRow = false;
    setState(DataSetState::Inactive);
    emit dataReset();
}

void ZQuery::edit() {
    requireActive();
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert)
        return;
    if (!m_hasRow) {
        // A new row starts empty; its fields are those of the result.
        std::fill(m_values.begin(), m_values.end(), QVariant());
        m_original = m_values;
        std::fill(m_written.begin(), m_written.end(), false);
        setState(DataSetState::Insert);
        emit dataReset();
        return;
    }
    setState(DataSetState::Edit);
}

QString ZQuery::literal(const QVariant &v, const ZField &f) const {
    if (v.isNull())
        return QStringLiteral("NULL");
    switch (f.kind()) {
    case Kind::Integer:
        return QString::number(v.toLongLong());
    case Kind::Float:
        return QString::number(v.toDouble(), 'g', 17);
    case Kind::Date:
        return u'\'' + v.toDate().toString(QStringLiteral("yyyy-MM-dd")) + u'\'';
    case Kind::DateTime:
        return u'\'' + v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + u'\'';
    case Kind::Time:
        return u'\'' + v.toTime().toString(QStringLiteral("HH:mm:ss")) + u'\'';
    case Kind::Blob:
        return u'\'' + m_connection->escape(cp1250::decode(v.toByteArray())) + u'\'';
    case Kind::Text:
        break;
    }
    QChar refused;
    if (!cp1250::encode(v.toString(), nullptr, &refused))
        throw Error(refusedCharacterMessage(refused, f.fieldName()));
    return u'\'' + m_connection->escape(v.toString()) + u'\'';
}

void ZQuery::post() {
    requireActive();
    if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
        throw Error(QStringLiteral("%1: Dataset not in edit or insert mode").arg(objectName()));

    // Only the columns whose value differs from what was read go back, so
    // a row edited in two places keeps what the other place changed.
    std::vector<int> changed;
    for (size_t i = 0; i < m_values.size(); ++i)
        if (m_written[i] && m_values[i] != m_original[i])
            changed.push_back(int(i));

    if (!changed.empty()) {
        QString table;
        int key = -1;
        for (const auto &f : m_fields) {
            const ColumnInfo &c = f->info();
            if (!c.table.isEmpty()) {
                if (table.isEmpty())
                    table = c.table;
                else if (table != c.table)
                    throw Error(
                        QStringLiteral("Řádek nelze uložit: data nepocházejí z jedné tabulky."));
            }
            if (c.primaryKey && key < 0)
                key = int(&f - &m_fields.front());
        }
        if (table.isEmpty())
            throw Error(QStringLiteral("Řádek nelze uložit: není známa jeho tabulka."));

        QStringList names, values;
        for (int i : changed) {
            names << quoteIdentifier(m_fields[size_t(i)]->fieldName());
            values << literal(m_values[size_t(i)], *m_fields[size_t(i)]);
        }
        QString statement;
        if (m_state == DataSetState::Edit) {
            if (key < 0)
                throw Error(QStringLiteral("Řádek nelze uložit: tabulka %1 nemá primární klíč.")
                                .arg(table));
            QStringList sets;
            for (qsizetype k = 0; k < names.size(); ++k)
                sets << names[k] + QStringLiteral(" = ") + values[k];
            statement = QStringLiteral("update %1 set %2 where %3 = %4")
                            .arg(quoteIdentifier(table), sets.join(QStringLiteral(", ")),
                                 quoteIdentifier(m_fields[size_t(key)]->fieldName()),
                                 literal(m_original[size_t(key)], *m_fields[size_t(key)]));
        } else {
            statement = QStringLiteral("insert into %1 (%2) values (%3)")
                            .arg(quoteIdentifier(table), names.join(QStringLiteral(", ")),
                                 values.join(QStringLiteral(", ")));
        }
        m_connection->run(statement);
        if (m_state == DataSetState::Edit && m_connection->affectedRows() == 0)
            throw Error(QStringLiteral("Řádek nelze uložit: v databázi už neexistuje."));
        if (m_state == DataSetState::Insert && key >= 0 &&
            m_fields[size_t(key)]->info().autoIncrement && m_values[size_t(key)].isNull())
            m_values[size_t(key)] = QVariant(qint64(m_connection->lastInsertId()));
    }
    if (m_state == DataSetState::Insert)
        m_hasRow = true;
    m_original = m_values;
    std::fill(m_written.begin(), m_written.end(), false);
    setState(DataSetState::Browse);
}

ZQuery::Snapshot ZQuery::snapshot() const {
    return Snapshot{m_state, m_modified, m_values, m_original, m_written};
}

void ZQuery::restore(const Snapshot &s) {
    if (m_state == DataSetState::Inactive || s.values.size() != m_values.size())
        return;
    m_values = s.values;
    m_original = s.original;
    m_written = s.written;
    if (s.state == DataSetState::Edit || s.state == DataSetState::Insert)
        setState(s.state);
    m_modified = s.modified;
    emit dataReset();
}

void ZQuery::first() {
    requireActive();
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert)
        post();
}

ZField *ZQuery::findField(const QString &name) {
    auto it = m_byName.constFind(name);
    if (it == m_byName.constEnd())
        it = m_byName.constFind(name.toLower());
    return it == m_byName.constEnd() ? nullptr : m_fields[size_t(*it)].get();
}

ZField &ZQuery::fieldByName(const QString &name) {
    requireActive();
    if (ZField *f = findField(name))
        return *f;
    throw Error(QStringLiteral("%1: Field '%2' not found").arg(objectName(), name));
}

} // namespace varnok
