#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace varnok {

class ClientLibrary;

// One column of a result as the server describes it.
struct ColumnInfo {
    enum class Kind { Integer, Float, Text, Date, DateTime, Time, Blob };
    QString name;
    QString table; // the base table, empty for computed columns
    Kind kind = Kind::Text;
    int decimals = 0;
    bool primaryKey = false;
    bool autoIncrement = false;
    bool isUnsigned = false;
};

// The raw outcome of a select: column descriptions and the rows as
// Windows-1250 bytes (a null QByteArray stands for NULL).
struct ResultSet {
    std::vector<ColumnInfo> columns;
    std::vector<std::vector<QByteArray>> rows;
};

// The one connection to the MySQL/MariaDB server (ZConnection1). It is
// opened by the first statement executed, stays in auto-commit mode and
// exchanges all text in Windows-1250.
class ZConnection : public QObject {
    Q_OBJECT
public:
    // Built-in settings; the configuration file may replace them.
    static constexpr const char *kDefaultHost = "sql.varnok.cz";
    static constexpr const char *kDefaultUser = "varnok";
    static constexpr const char *kDefaultPassword = "kredit05";
    static constexpr const char *kDefaultDatabase = "varnok_ram";

    explicit ZConnection(QObject *parent = nullptr);
    ~ZConnection() override;

    QString Protocol = QStringLiteral("mysql-5");
    QString HostName = QString::fromLatin1(kDefaultHost);
    int Port = 0; // 0: the MySQL default port 3306
    QString Database = QString::fromLatin1(kDefaultDatabase);
    QString User = QString::fromLatin1(kDefaultUser);
    QString Password = QString::fromLatin1(kDefaultPassword);
    // Seconds that connecting, reading and writing may take before the
    // statement fails instead of freezing the window.
    int TimeoutSeconds = 15;

    bool connected() const;
    void connect();    // throws SqlError
    void disconnect(); // never throws

    // Runs one statement. A select's rows are returned; any other
    // statement returns an empty result. Throws SqlError.
    ResultSet run(const QString &sql);

    // Escapes text for a string literal of the server (quotes, backslashes,
    // control characters). Opens the connection when needed.
    QString escape(const QString &text);

    // The id the server gave the last inserted row.
    qulonglong lastInsertId() const;
    // Rows the last statement matched.
    qulonglong affectedRows() const;

    // Every statement about to be sent, verbatim and in order. The log to
    // stderr is on when the environment variable VARNOK05_SQL_LOG is set.
    using Listener = std::function<void(const QString &)>;
    int addListener(Listener listener);
    void removeListener(int id);

    // Client library file names tried in this order.
    static QStringList libraryNames();

private:
    void notify(const QString &sql);
    [[noreturn]] void raise();

    std::shared_ptr<ClientLibrary> m_lib;
    void *m_handle = nullptr; // MYSQL*
    std::map<int, Listener> m_listeners;
    int m_nextListener = 1;
    bool m_logToStderr = false;
};

} // namespace varnok
