#include "common/error.h"
#include "records/query.h"
#include "tests/support/testdb.h"

#include <gtest/gtest.h>

using namespace varnok;
using varnok::test::ServerSettings;
using varnok::test::TestDatabase;

namespace {

QString connectError(ZConnection &c) {
    try {
        c.connect();
    } catch (const Error &e) {
        return e.message();
    }
    return QString();
}

} // namespace

TEST(Connection, ConnectFailuresCarryTheServersText) {
    VARNOK_REQUIRE_SERVER();
    const ServerSettings s = ServerSettings::fromEnvironment();
    struct Case {
        const char *what;
        QString host, user, password, database;
        int port;
        const char *expected;
    };
    const Case cases[] = {
        {"wrong password", s.host, s.user, QStringLiteral("spatne"), QStringLiteral("varnok_ram"),
         s.port, "Access denied"},
        {"unknown database", s.host, s.user, s.password, QStringLiteral("neni_takova"), s.port,
         "Unknown database"},
        // Port 1 on loopback: nothing listens there.
        {"closed port", QStringLiteral("127.0.0.1"), s.user, s.password,
         QStringLiteral("varnok_ram"), 1, "Can't connect"},
    };
    for (const Case &c : cases) {
        ZConnection conn;
        conn.HostName = c.host;
        conn.User = c.user;
        conn.Password = c.password;
        conn.Database = c.database;
        conn.Port = c.port;
        const QString message = connectError(conn);
        EXPECT_TRUE(message.startsWith(QStringLiteral("SQL chyba: ")))
            << c.what << ": " << message.toStdString();
        EXPECT_TRUE(message.contains(QLatin1String(c.expected)))
            << c.what << ": " << message.toStdString();
        EXPECT_FALSE(conn.connected());
    }
}

TEST(Connection, MissingClientLibraryNamesEveryFileTried) {
    qputenv("VARNOK05_MYSQL_LIBRARY", "libnenitu.so.1,libtakyne.so");
    ZConnection conn;
    const QString message = connectError(conn);
    qunsetenv("VARNOK05_MYSQL_LIBRARY");
    EXPECT_EQ(message, QStringLiteral("Neexistuje dll knihovna(y): libnenitu.so.1, libtakyne.so"));
}

TEST(Connection, DefaultLibraryListPrefersMariaDb) {
    const QStringList names = ZConnection::libraryNames();
    ASSERT_FALSE(names.isEmpty());
    EXPECT_TRUE(names.front().startsWith(QStringLiteral("libmariadb")));
    EXPECT_TRUE(names.join(u',').contains(QStringLiteral("libmysqlclient")));
}

TEST(Connection, BuiltInSettings) {
    ZConnection conn;
    EXPECT_EQ(conn.Protocol, QStringLiteral("mysql-5"));
    EXPECT_EQ(conn.Port, 0);
    EXPECT_EQ(conn.Database, QStringLiteral("varnok_ram"));
    EXPECT_FALSE(conn.HostName.isEmpty());
    EXPECT_FALSE(conn.connected());
}

TEST(Connection, FirstStatementOpensTheConnectionAndEveryStatementIsHeard) {
    VARNOK_REQUIRE_SERVER();
    TestDatabase db;
    ZConnection conn;
    db.configure(conn);
    QStringList heard;
    conn.addListener([&](const QString &sql) { heard << sql; });
    ZQuery q(&conn);
    q.sql().clear();
    q.sql() << QStringLiteral("set names cp1250");
    EXPECT_FALSE(conn.connected());
    q.execSQL();
    EXPECT_TRUE(conn.connected());
    q.sql().clear();
    q.sql() << QStringLiteral("select 1") << QStringLiteral("from dual");
    q.open();
    EXPECT_EQ(heard, (QStringList{QStringLiteral("set names cp1250"),
                                  QStringLiteral("select 1\nfrom dual")}));
}

TEST(Connection, LostConnectionGivesSqlErrorAndKeepsUnpostedValues) {
    VARNOK_REQUIRE_SERVER();
    TestDatabase db;
    db.exec(QStringLiteral("insert into zadost_kredit (ico, rok, zavazky) values ('1', 2017, 10)"));
    ZConnection conn;
    db.configure(conn);
    ZQuery q(&conn);
    q.setSqlText(QStringLiteral("select connection_id()"));
    q.open();
    const int id = q.field(0).asInteger();
    q.setSqlText(
        QStringLiteral("select * from zadost_kredit where ico = \"1\" and rok = \"2017\""));
    q.open();
    q.edit();
    q.fieldByName(QStringLiteral("zavazky")).setAsInteger(777);

    db.exec(QStringLiteral("kill %1").arg(id));
    try {
        q.post();
        FAIL() << "post on a killed connection succeeded";
    } catch (const SqlError &e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("SQL chyba: ")))
            << e.message().toStdString();
    }
    EXPECT_EQ(q.state(), DataSetState::Edit);
    EXPECT_EQ(q.fieldByName(QStringLiteral("zavazky")).asInteger(), 777);
    EXPECT_TRUE(q.modified());
    // The next statement fails the same way instead of hanging.
    ZQuery other(&conn);
    other.setSqlText(QStringLiteral("select 1"));
    EXPECT_THROW(other.open(), SqlError);
    EXPECT_EQ(db.scalar(QStringLiteral("select zavazky from zadost_kredit")), QStringLiteral("10"));
}
