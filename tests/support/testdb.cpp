#include "tests/support/testdb.h"

#include "common/codepage.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <atomic>
#include <stdexcept>
#include <unistd.h>

namespace varnok::test {

ServerSettings ServerSettings::fromEnvironment() {
    ServerSettings s;
    s.host = qEnvironmentVariable("VARNOK05_TEST_HOST", QStringLiteral("127.0.0.1"));
    s.port = qEnvironmentVariableIntValue("VARNOK05_TEST_PORT");
    s.user = qEnvironmentVariable("VARNOK05_TEST_USER", QStringLiteral("varnok"));
    s.password = qEnvironmentVariable("VARNOK05_TEST_PASSWORD", QStringLiteral("kredit05"));
    return s;
}

TestDatabase::TestDatabase(bool withDemo) : m_server(ServerSettings::fromEnvironment()) {
    if (!m_server.available())
        throw std::runtime_error("no test server: VARNOK05_TEST_PORT is not set (run ./test.sh)");
    static std::atomic<int> counter{0};
    m_name = QStringLiteral("vt_%1_%2").arg(getpid()).arg(++counter);
    m_admin = std::make_unique<ZConnection>();
    m_admin->HostName = m_server.host;
    m_admin->Port = m_server.port;
    m_admin->User = m_server.user;
    m_admin->Password = m_server.password;
    m_admin->Database = QString();
    m_admin->run(QStringLiteral("drop database if exists %1").arg(m_name));
    m_admin->run(QStringLiteral("create database %1 character set utf8mb4 collate utf8mb4_czech_ci")
                     .arg(m_name));
    m_admin->run(QStringLiteral("use %1").arg(m_name));
    loadFile(QStringLiteral(VARNOK_SCHEMA_SQL));
    if (withDemo)
        loadFile(QStringLiteral(VARNOK_DEMO_SQL));
}

TestDatabase::~TestDatabase() {
    try {
        m_admin->run(QStringLiteral("drop database if exists %1").arg(m_name));
    } catch (...) {
        // A test that stopped the server leaves nothing to clean.
    }
}

void TestDatabase::configure(ZConnection &connection) const {
    connection.HostName = m_server.host;
    connection.Port = m_server.port;
    connection.User = m_server.user;
    connection.Password = m_server.password;
    connection.Database = m_name;
}

std::unique_ptr<ZConnection> TestDatabase::connect() const {
    auto c = std::make_unique<ZConnection>();
    configure(*c);
    return c;
}

void TestDatabase::exec(const QString &sql) {
    m_admin->run(sql);
}

QString TestDatabase::scalar(const QString &sql) {
    const ResultSet r = m_admin->run(sql);
    if (r.rows.empty() || r.rows.front().empty() || r.rows.front().front().isNull())
        return QString();
    return cp1250::decode(r.rows.front().front());
}

void TestDatabase::loadFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    const QString text = QString::fromUtf8(file.readAll());
    static const QRegularExpression end(QStringLiteral(";[ \\t]*\\r?\\n"));
    for (QString statement : text.split(end)) {
        // Drop whole-line comments; keep the rest of the statement.
        QStringList lines;
        for (const QString &line : statement.split(u'\n'))
            if (!line.trimmed().startsWith(QStringLiteral("--")))
                lines << line;
        statement = lines.join(u'\n').trimmed();
        if (statement.endsWith(u';'))
            statement.chop(1);
        if (!statement.isEmpty())
            m_admin->run(statement);
    }
}

} // namespace varnok::test
