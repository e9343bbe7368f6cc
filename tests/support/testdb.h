#pragma once

#include "records/connection.h"

#include <QString>
#include <memory>

namespace varnok::test {

// Where the test server listens: test.sh exports these.
struct ServerSettings {
    QString host, user, password;
    int port = 0;
    bool available() const { return port != 0; }
    static ServerSettings fromEnvironment();
};

// A fresh database on the test server with the program's schema, dropped
// again when the object goes. Each test suite (or test) makes its own, so
// tests never see each other's rows.
class TestDatabase {
public:
    explicit TestDatabase(bool withDemo = false);
    ~TestDatabase();

    const QString &name() const { return m_name; }
    const ServerSettings &server() const { return m_server; }

    // Points a connection at this database.
    void configure(ZConnection &connection) const;
    std::unique_ptr<ZConnection> connect() const;

    // Runs statements on an administrative connection of its own.
    void exec(const QString &sql);
    // The first column of the first row, as text ("" for NULL or no row).
    QString scalar(const QString &sql);
    // Runs a file of statements separated by ';' at a line's end.
    void loadFile(const QString &path);

private:
    ServerSettings m_server;
    QString m_name;
    std::unique_ptr<ZConnection> m_admin;
};

} // namespace varnok::test

// Skips a test when test.sh did not provide a server.
#define VARNOK_REQUIRE_SERVER()                                                                    \
    do {                                                                                           \
        if (!::varnok::test::ServerSettings::fromEnvironment().available())                        \
            GTEST_SKIP() << "no test server (run ./test.sh)";                                      \
    } while (0)
