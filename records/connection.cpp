#include "records/connection.h"

#include "common/codepage.h"
#include "common/error.h"
#include "records/clientlibrary.h"

#include <cstdio>

namespace varnok {

namespace {

MYSQL *mysql(void *handle) {
    return static_cast<MYSQL *>(handle);
}

ColumnInfo::Kind kindOf(const MYSQL_FIELD &f) {
    switch (f.type) {
    case MYSQL_TYPE_TINY:
    case MYSQL_TYPE_SHORT:
    case MYSQL_TYPE_LONG:
    case MYSQL_TYPE_INT24:
    case MYSQL_TYPE_LONGLONG:
    case MYSQL_TYPE_YEAR:
    case MYSQL_TYPE_BIT:
        return ColumnInfo::Kind::Integer;
    case MYSQL_TYPE_DECIMAL:
    case MYSQL_TYPE_NEWDECIMAL:
    case MYSQL_TYPE_FLOAT:
    case MYSQL_TYPE_DOUBLE:
        return ColumnInfo::Kind::Float;
    case MYSQL_TYPE_DATE:
    case MYSQL_TYPE_NEWDATE:
        return ColumnInfo::Kind::Date;
    case MYSQL_TYPE_DATETIME:
    case MYSQL_TYPE_TIMESTAMP:
        return ColumnInfo::Kind::DateTime;
    case MYSQL_TYPE_TIME:
        return ColumnInfo::Kind::Time;
    case MYSQL_TYPE_TINY_BLOB:
    case MYSQL_TYPE_MEDIUM_BLOB:
    case MYSQL_TYPE_LONG_BLOB:
    case MYSQL_TYPE_BLOB:
    case MYSQL_TYPE_STRING:
    case MYSQL_TYPE_VAR_STRING:
    case MYSQL_TYPE_VARCHAR:
        // Character set 63 marks binary data; everything else is text.
        return f.charsetnr == 63 && f.type != MYSQL_TYPE_STRING && f.type != MYSQL_TYPE_VAR_STRING
                   ? ColumnInfo::Kind::Blob
                   : ColumnInfo::Kind::Text;
    default:
        return ColumnInfo::Kind::Text;
    }
}

} // namespace

ZConnection::ZConnection(QObject *parent)
    : QObject(parent), m_logToStderr(!qEnvironmentVariableIsEmpty("VARNOK05_SQL_LOG")) {}

ZConnection::~ZConnection() {
    disconnect();
}

QStringList ZConnection::libraryNames() {
    // An installation may name its own client library.
    const QString own = qEnvironmentVariable("VARNOK05_MYSQL_LIBRARY");
    if (!own.isEmpty())
        return own.split(u',', Qt::SkipEmptyParts);
    return {QStringLiteral("libmariadb.so.3"), QStringLiteral("libmariadb.so"),
            QStringLiteral("libmysqlclient.so.21"), QStringLiteral("libmysqlclient.so.18"),
            QStringLiteral("libmysqlclient.so")};
}

bool ZConnection::connected() const {
    return m_handle != nullptr;
}

void ZConnection::connect() {
    if (m_handle)
        return;
    if (!m_lib)
        m_lib = ClientLibrary::load(libraryNames());
    MYSQL *m = m_lib->init(nullptr);
    if (!m)
        throw SqlError(QStringLiteral("Nezdařilo se připojení k SQL serveru"));
    const unsigned int timeout = unsigned(qMax(1, TimeoutSeconds));
    m_lib->options(m, MYSQL_OPT_CONNECT_TIMEOUT, &timeout);
    m_lib->options(m, MYSQL_OPT_READ_TIMEOUT, &timeout);
    m_lib->options(m, MYSQL_OPT_WRITE_TIMEOUT, &timeout);
    // The handshake already speaks Windows-1250, so escaping in the client
    // works on the same single-byte text the server receives.
    m_lib->options(m, MYSQL_SET_CHARSET_NAME, "cp1250");

    QByteArray host, user, password, database;
    cp1250::encode(HostName, &host);
    cp1250::encode(User, &user);
    cp1250::encode(Password, &password);
    cp1250::encode(Database, &database);
    const unsigned int port = Port == 0 ? 3306u : unsigned(Port);
    // CLIENT_FOUND_ROWS: an update reports the rows it matched, so a post
    // can tell a vanished row from an unchanged one.
    if (!m_lib->real_connect(m, host.constData(), user.constData(), password.constData(),
                             database.isEmpty() ? nullptr : database.constData(), port, nullptr,
                             CLIENT_FOUND_ROWS)) {
        const QString text = QString::fromUtf8(m_lib->error(m));
        m_lib->close(m);
        if (text.isEmpty())
            throw SqlError(QStringLiteral("Nezdařilo se připojení k SQL serveru"));
        throw SqlError(QStringLiteral("SQL chyba: %1").arg(text));
    }
    m_handle = m;
}

void ZConnection::disconnect() {
    if (m_handle && m_lib)
        m_lib->close(mysql(m_handle));
    m_handle = nullptr;
}

void ZConnection::raise() {
    const QString text = cp1250::decode(QByteArray(m_lib->error(mysql(m_handle))));
    if (text.isEmpty())
        throw SqlError(QStringLiteral("Nezdařilo se připojení k SQL serveru"));
    throw SqlError(QStringLiteral("SQL chyba: %1").arg(text));
}

ResultSet ZConnection::run(const QString &sql) {
    notify(sql);
    connect();
    QByteArray bytes;
    QChar refused;
    if (!cp1250::encode(sql, &bytes, &refused))
        throw SqlError(
            QStringLiteral("SQL chyba: znak „%1“ nelze převést do kódové stránky Windows-1250")
                .arg(refused));
    MYSQL *m = mysql(m_handle);
    if (m_lib->real_query(m, bytes.constData(), (unsigned long)bytes.size()) != 0)
        raise();

    ResultSet result;
    if (m_lib->field_count(m) > 0) {
        MYSQL_RES *res = m_lib->store_result(m);
        if (!res)
            raise();
        const unsigned int n = m_lib->num_fields(res);
        MYSQL_FIELD *fields = m_lib->fetch_fields(res);
        result.columns.reserve(n);
        for (unsigned int i = 0; i < n; ++i) {
            ColumnInfo c;
            c.name = cp1250::decode(QByteArray(fields[i].name, int(fields[i].name_length)));
            c.table =
                cp1250::decode(QByteArray(fields[i].org_table, int(fields[i].org_table_length)));
            c.kind = kindOf(fields[i]);
            c.decimals = int(fields[i].decimals);
            c.primaryKey = fields[i].flags & PRI_KEY_FLAG;
            c.autoIncrement = fields[i].flags & AUTO_INCREMENT_FLAG;
            c.isUnsigned = fields[i].flags & UNSIGNED_FLAG;
            result.columns.push_back(std::move(c));
        }
        while (MYSQL_ROW row = m_lib->fetch_row(res)) {
            unsigned long *lengths = m_lib->fetch_lengths(res);
            std::vector<QByteArray> values(n);
            for (unsigned int i = 0; i < n; ++i)
                if (row[i])
                    values[i] = QByteArray(row[i], int(lengths[i]));
            result.rows.push_back(std::move(values));
        }
        m_lib->free_result(res);
    }
    // Drain further results so the connection stays usable.
    while (m_lib->more_results(m) && m_lib->next_result(m) == 0) {
        if (MYSQL_RES *extra = m_lib->store_result(m))
            m_lib->free_result(extra);
    }
    return result;
}

QString ZConnection::escape(const QString &text) {
    connect();
    QByteArray bytes;
    QChar refused;
    if (!cp1250::encode(text, &bytes, &refused))
        throw SqlError(
            QStringLiteral("SQL chyba: znak „%1“ nelze převést do kódové stránky Windows-1250")
                .arg(refused));
    QByteArray out(bytes.size() * 2 + 1, '\0');
    const unsigned long n = m_lib->real_escape_string(
        mysql(m_handle), out.data(), bytes.constData(), (unsigned long)bytes.size());
    out.truncate(int(n));
    return cp1250::decode(out);
}

qulonglong ZConnection::lastInsertId() const {
    return m_handle ? m_lib->insert_id(mysql(m_handle)) : 0;
}

qulonglong ZConnection::affectedRows() const {
    return m_handle ? m_lib->affected_rows(mysql(m_handle)) : 0;
}

int ZConnection::addListener(Listener listener) {
    const int id = m_nextListener++;
    m_listeners.emplace(id, std::move(listener));
    return id;
}

void ZConnection::removeListener(int id) {
    m_listeners.erase(id);
}

void ZConnection::notify(const QString &sql) {
    if (m_logToStderr) {
        const QByteArray text = sql.toUtf8();
        std::fprintf(stderr, "SQL> %s\n", text.constData());
        std::fflush(stderr);
    }
    // A listener may remove itself while being called.
    const auto listeners = m_listeners;
    for (const auto &entry : listeners)
        entry.second(sql);
}

} // namespace varnok
