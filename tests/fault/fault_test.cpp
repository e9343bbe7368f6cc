// Faults of the server under the real window and the dataset: a server of
// the test's own (scripts/db.sh) is stopped or killed at chosen moments.
#include "common/error.h"
#include "records/query.h"
#include "records/saving.h"
#include "tests/support/dialogs.h"
#include "tests/support/formfixture.h"
#include "ui/dbedit.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

using namespace varnok;
using namespace varnok::test;

namespace {

// A private server: started for one test, stopped or killed by it.
class OwnServer {
public:
    OwnServer() {
        dir = tmp.path() + QStringLiteral("/db");
        script = QStringLiteral(VARNOK_SOURCE_DIR "/scripts/db.sh");
        start();
    }
    ~OwnServer() { QProcess::execute(script, {QStringLiteral("wipe"), dir}); }
    // A restart may get another port when the old one is not free yet.
    void start() {
        ASSERT_EQ(QProcess::execute(script, {QStringLiteral("start"), dir}), 0);
        QFile env(dir + QStringLiteral("/env"));
        ASSERT_TRUE(env.open(QIODevice::ReadOnly));
        for (const QByteArray &line : env.readAll().split('\n'))
            if (line.startsWith("VARNOK05_DB_PORT="))
                port = line.mid(17).toInt();
    }
    void stop() { QProcess::execute(script, {QStringLiteral("stop"), dir}); }
    void kill9() {
        QFile pid(dir + QStringLiteral("/mariadbd.pid"));
        ASSERT_TRUE(pid.open(QIODevice::ReadOnly));
        ::kill(pid.readAll().trimmed().toInt(), SIGKILL);
        QTest::qWait(500);
    }
    void configure(ZConnection &c) const {
        c.HostName = QStringLiteral("127.0.0.1");
        c.Port = port;
        c.User = QStringLiteral("varnok");
        c.Password = QStringLiteral("kredit05");
        c.Database = QStringLiteral("varnok_ram");
        c.TimeoutSeconds = 5;
    }
    QString scalar(const QString &sql) {
        ZConnection c;
        configure(c);
        ZQuery q(&c);
        q.setSqlText(sql);
        q.open();
        return q.isEmpty() ? QString() : q.field(0).asString();
    }
    void exec(const QString &sql) {
        ZConnection c;
        configure(c);
        c.run(sql);
    }

    QTemporaryDir tmp;
    QString dir, script;
    int port = 0;
};

void openRow(ZQuery &q) {
    q.setSqlText(
        QStringLiteral("select * from zadost_kredit where ico = \"1\" and rok = \"2017\""));
    q.open();
}

} // namespace

TEST(Faults, ServerStoppedUnderAModifiedRowGivesSqlErrorsNotACrash) {
    VARNOK_REQUIRE_SERVER();
    OwnServer server;
    server.exec(
        QStringLiteral("insert into zadost_kredit (ico, rok, zavazky) values ('1', 2017, 5)"));
    ZConnection c;
    server.configure(c);
    ZQuery q(&c);
    openRow(q);
    q.edit();
    q.fieldByName(QStringLiteral("zavazky")).setAsInteger(99);
    server.stop();

    QElapsedTimer t;
    t.start();
    for (int attempt = 0; attempt < 3; ++attempt) {
        try {
            saving::commitRow(q);
            FAIL() << "saved into a stopped server";
        } catch (const SqlError &e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("SQL chyba: ")))
                << e.message().toStdString();
        }
        EXPECT_EQ(q.fieldByName(QStringLiteral("zavazky")).asInteger(), 99)
            << "the typed value stays";
        EXPECT_TRUE(q.modified());
    }
    EXPECT_LT(t.elapsed(), 30000) << "a dead server must not freeze the window";
}

TEST(Faults, ServerKilledDuringASaveLeavesTheOldOrTheNewRow) {
    VARNOK_REQUIRE_SERVER();
    // The server dies just before the named statement reaches it.
    for (const char *victim : {"commit", "start transaction"}) {
        OwnServer server;
        server.exec(QStringLiteral(
            "insert into zadost_kredit (ico, rok, zavazky, nakup_min) values ('1', 2017, 5, 6)"));
        ZConnection c;
        server.configure(c);
        ZQuery q(&c);
        q.setSqlText(QStringLiteral("start transaction"));
        q.execSQL();
        openRow(q);
        q.edit();
        q.fieldByName(QStringLiteral("zavazky")).setAsInteger(50);
        q.fieldByName(QStringLiteral("nakup_min")).setAsInteger(60);
        bool killed = false;
        c.addListener([&](const QString &sql) {
            if (!killed && sql == QLatin1String(victim)) {
                killed = true;
                server.kill9();
            }
        });
        EXPECT_THROW(saving::commitRow(q), SqlError) << victim;
        server.start();
        const QString row = server.scalar(
            QStringLiteral("select concat(zavazky, '/', nakup_min) from zadost_kredit"));
        if (QLatin1String(victim) == QLatin1String("commit"))
            EXPECT_EQ(row, QStringLiteral("5/6")) << "nothing half-written";
        else
            EXPECT_EQ(row, QStringLiteral("50/60")) << "committed before the server died";
    }
}

TEST(Faults, TwoCopiesOnOneApplicationKeepEachOthersColumns) {
    VARNOK_REQUIRE_SERVER();
    TestDatabase db;
    db.exec(QStringLiteral("insert into zadost_kredit (ico, rok, zavazky, nakup_min, zadost_min) "
                           "values ('1', 2017, 5, 6, 7)"));
    auto a = db.connect(), b = db.connect();
    ZQuery qa(a.get()), qb(b.get());
    openRow(qa);
    openRow(qb);
    qa.edit();
    qa.fieldByName(QStringLiteral("zavazky")).setAsInteger(50);
    saving::commitRow(qa);
    qb.edit();
    qb.fieldByName(QStringLiteral("nakup_min")).setAsInteger(60);
    qb.fieldByName(QStringLiteral("zavazky")).setAsInteger(5); // written, but as it was read
    saving::commitRow(qb);
    EXPECT_EQ(db.scalar(QStringLiteral(
                  "select concat(zavazky, '/', nakup_min, '/', zadost_min) from zadost_kredit")),
              QStringLiteral("50/60/7"));
}

TEST(Faults, CaptionFilesOfRandomBytesOrManyLinesDoNotHurtTheWindow) {
    VARNOK_REQUIRE_SERVER();
    FormFixture fx;
    fx.db().exec(QStringLiteral(
        "insert into zadost_kredit (ico, rok, nazevpodni) values ('123', 2017, 'Statek')"));
    QByteArray random(20000, '\0');
    quint32 seed = 12345;
    for (char &ch : random) {
        seed = seed * 1103515245u + 12345u;
        ch = char(seed >> 16);
    }
    QByteArray many;
    for (int i = 1; i <= 10000; ++i)
        many += "k;Řádek " + QByteArray::number(i) + ";Zeile " + QByteArray::number(i) + "\r\n";
    for (const QByteArray &content : {random, many}) {
        QFile f(fx.programDir() + QStringLiteral("texty.txt"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
        f.close();
        DialogAnswerer answers({1, 1});
        fx.create({QStringLiteral("123"), QStringLiteral("2017")});
        fx.show();
        EXPECT_TRUE(fx.form().isVisible());
        EXPECT_FALSE(fx.form().ZQuery1->isEmpty());
        fx.destroy();
    }
}
