#include "app/configuration.h"
#include "app/inifile.h"
#include "common/error.h"
#include "records/connection.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace varnok;

namespace {

QString write(const QTemporaryDir &dir, const QByteArray &bytes) {
    const QString path = dir.filePath(QStringLiteral("test.ini"));
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
    return path;
}

QByteArray contents(const QString &path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

} // namespace

TEST(IniFile, ReadsRawValues) {
    QTemporaryDir dir;
    const QString path = write(
        dir, QByteArray("; comment\r\n[LogOn]\r\nIP=\r\nUser = \"quoted\" \r\n"
                        "Password=a=b;c\\n\r\n  Database\t = "
                        "\tvarnok_test\r\n[Other]\r\nIP=other\r\n[posledni]\nICO=\x8eluta\n") +
                 "Long=" + QByteArray(3000, 'x') + "\n");
    const IniFile ini(path);
    struct Case {
        const char *section, *key, *expected;
    };
    const Case cases[] = {
        {"LogOn", "IP", ""},                  // present but empty
        {"LogOn", "User", "\"quoted\""},      // quotes stay
        {"logon", "PASSWORD", "a=b;c\\n"},    // case-insensitive, raw
        {"LogOn", "Database", "varnok_test"}, // blanks around key and value
        {"LogOn", "SQLport", "DEFAULT"},      // missing key
        {"Nothing", "IP", "DEFAULT"},         // missing section
        {"Other", "IP", "other"},
        {"Posledni", "ICO", "Žluta"}, // Windows-1250
    };
    for (const Case &c : cases)
        EXPECT_EQ(ini.readString(QString::fromLatin1(c.section), QString::fromLatin1(c.key),
                                 QStringLiteral("DEFAULT")),
                  QString::fromUtf8(c.expected))
            << c.section << "/" << c.key;
    EXPECT_EQ(ini.readString(QStringLiteral("Posledni"), QStringLiteral("Long"), QString()),
              QString(2047, u'x'));
    EXPECT_EQ(IniFile(dir.filePath(QStringLiteral("none.ini")))
                  .readString(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("d")),
              QStringLiteral("d"));
}

TEST(IniFile, WritingAKeyKeepsEverythingElse) {
    QTemporaryDir dir;
    const QString path = write(dir, "; keep "
                                    "me\r\n[TForm1]\r\nFormVersion=0\r\nroky_TabIndex=1\r\nOther="
                                    "x\r\n\r\n[Posledni]\r\nICO=123\r\n");
    IniFile ini(path);
    ini.writeString(QStringLiteral("TForm1"), QStringLiteral("roky_TabIndex"), QStringLiteral("2"));
    ini.writeString(QStringLiteral("Posledni"), QStringLiteral("Nove"), QStringLiteral("Čeština"));
    ini.writeString(QStringLiteral("Novy"), QStringLiteral("A"), QStringLiteral("1"));
    EXPECT_EQ(
        contents(path),
        QByteArray("; keep me\r\n[TForm1]\r\nFormVersion=0\r\nroky_TabIndex=2\r\nOther=x\r\n\r\n"
                   "[Posledni]\r\nICO=123\r\nNove=\xc8"
                   "e\x9atina\r\n\r\n[Novy]\r\nA=1\r\n"));
    const QString fresh = dir.filePath(QStringLiteral("fresh.INI"));
    IniFile(fresh).writeString(QStringLiteral("TForm1"), QStringLiteral("FormVersion"),
                               QStringLiteral("0"));
    EXPECT_EQ(contents(fresh), QByteArray("[TForm1]\r\nFormVersion=0\r\n"));
}

TEST(Configuration, KeysFallBackOnTheConnectionsValues) {
    QTemporaryDir dir;
    struct Case {
        const char *what;
        QByteArray file;
        const char *host, *user, *database, *error;
        int port;
    };
    const Case cases[] = {
        {"no file", QByteArray(), "sql.varnok.cz", "varnok", "varnok_ram", "", 0},
        {"empty IP", "[LogOn]\r\nIP=\r\n", "", "varnok", "varnok_ram", "", 0},
        {"all keys", "[LogOn]\r\nIP=10.0.0.5\r\nUser=ucetni\r\nSQLport=3307\r\nDatabase=jina\r\n",
         "10.0.0.5", "ucetni", "jina", "", 3307},
        {"port 0", "[LogOn]\r\nSQLport=0\r\n", "sql.varnok.cz", "varnok", "varnok_ram", "", 0},
        {"port abc stops before Database", "[LogOn]\r\nUser=u\r\nSQLport=abc\r\nDatabase=jina\r\n",
         "sql.varnok.cz", "u", "varnok_ram", "'abc' is not a valid integer value", 0},
    };
    for (const Case &c : cases) {
        const QString path = dir.filePath(QStringLiteral("varnok05.ini"));
        QFile::remove(path);
        if (!c.file.isNull())
            write(dir, c.file), QFile::rename(dir.filePath(QStringLiteral("test.ini")), path);
        ZConnection conn;
        QString error;
        try {
            readConnectionSettings(path, conn);
        } catch (const Error &e) {
            error = e.message();
        }
        EXPECT_EQ(error, QString::fromLatin1(c.error)) << c.what;
        EXPECT_EQ(conn.HostName, QString::fromLatin1(c.host)) << c.what;
        EXPECT_EQ(conn.User, QString::fromLatin1(c.user)) << c.what;
        EXPECT_EQ(conn.Database, QString::fromLatin1(c.database)) << c.what;
        EXPECT_EQ(conn.Port, c.port) << c.what;
    }
}

TEST(IniFile, ReadsIntegersWithTheirDefault) {
    QTemporaryDir dir;
    const IniFile ini(write(dir, "[TForm1]\r\nA=2\r\nB= -7 \r\nC=abc\r\nD=\r\nE=1.5\r\nF=+3\r\n"));
    struct Case {
        const char *key;
        int expected;
    };
    const Case cases[] = {{"A", 2},  {"B", -7}, {"C", 42}, {"D", 42},
                          {"E", 42}, {"F", 3},  {"G", 42}};
    for (const Case &c : cases)
        EXPECT_EQ(ini.readInteger(QStringLiteral("tform1"), QString::fromLatin1(c.key), 42),
                  c.expected)
            << c.key;
}

TEST(IniFile, WindowsCodePageRoundTrip) {
    QTemporaryDir dir;
    // LF-only lines come back with CR LF; the untouched lines keep their bytes.
    const QString path = write(dir, "[Posledni]\nICO=1\n[Jine]\nX=\x8a\x81\x98\n");
    IniFile ini(path);
    ini.writeString(QStringLiteral("Posledni"), QStringLiteral("ICO"), QStringLiteral("Žluťoučký"));
    EXPECT_EQ(
        contents(path),
        QByteArray("[Posledni]\r\nICO=\x8elu\x9do\x75\xe8k\xfd\r\n[Jine]\r\nX=\x8a\x81\x98\r\n"));
    EXPECT_EQ(ini.readString(QStringLiteral("POSLEDNI"), QStringLiteral("ico"), QString()),
              QStringLiteral("Žluťoučký"));
}
