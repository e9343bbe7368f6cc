#include "common/error.h"
#include "common/formatsettings.h"
#include "records/query.h"
#include "tests/support/testdb.h"

#include <gtest/gtest.h>

using namespace varnok;
using varnok::test::TestDatabase;

namespace {

class QueryTest : public ::testing::Test {
protected:
    void SetUp() override {
        VARNOK_REQUIRE_SERVER();
        db = std::make_unique<TestDatabase>();
        conn = db->connect();
        conn->addListener([this](const QString &sql) { heard << sql; });
        q = std::make_unique<ZQuery>(conn.get());
        q->setObjectName(QStringLiteral("ZQuery1"));
    }
    void TearDown() override { setDecimalSeparator(u'.'); }

    void openRow(const QString &ico = QStringLiteral("123"), int year = 2017) {
        q->setSqlText(
            QStringLiteral("select * from zadost_kredit where ico = \"%1\" and rok = \"%2\"")
                .arg(ico)
                .arg(year));
        q->open();
    }
    ZField &f(const char *name) { return q->fieldByName(QString::fromLatin1(name)); }

    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<ZConnection> conn;
    std::unique_ptr<ZQuery> q;
    QStringList heard;
};

} // namespace

TEST_F(QueryTest, AccessorConversions) {
    db->exec(QStringLiteral(
        "insert into zadost_kredit (ico, rok, prod01_hekt, prod01_nahe, prod02_nahe, "
        "prod03_nahe, prod04_nahe, prod05_nahe, kredit, nazevpodni, priznani) values "
        "('123', 2017, -42, 2.50, 3.50, -2.50, 7.25, NULL, 60.50, 'Statek Kouřim', "
        "'2018-03-05')"));
    setDecimalSeparator(u',');
    openRow();
    struct Case {
        const char *column;
        int asInteger;
        double asFloat;
        const char *asString;
        bool isNull;
    };
    const Case cases[] = {
        {"prod01_hekt", -42, -42.0, "-42", false},
        {"prod01_nahe", 2, 2.5, "2,5", false},    // half to even: down
        {"prod02_nahe", 4, 3.5, "3,5", false},    // half to even: up
        {"prod03_nahe", -2, -2.5, "-2,5", false}, // negative half to even
        {"prod04_nahe", 7, 7.25, "7,25", false},
        {"prod05_nahe", 0, 0.0, "", true}, // NULL
        {"prod06_hekt", 0, 0.0, "", true}, // NULL integer
        {"kredit", 60, 60.5, "60,5", false},
    };
    for (const Case &c : cases) {
        ZField &field = f(c.column);
        EXPECT_EQ(field.asInteger(), c.asInteger) << c.column;
        EXPECT_DOUBLE_EQ(field.asFloat(), c.asFloat) << c.column;
        EXPECT_EQ(field.asString(), QString::fromUtf8(c.asString)) << c.column;
        EXPECT_EQ(field.isNull(), c.isNull) << c.column;
    }
    EXPECT_EQ(f("nazevpodni").asString(), QStringLiteral("Statek Kouřim"));
    EXPECT_EQ(f("priznani").asDate(), QDate(2018, 3, 5));
    setDecimalSeparator(u'.');
    EXPECT_EQ(f("prod01_nahe").asString(), QStringLiteral("2.5"));
}

TEST_F(QueryTest, FieldLookupIgnoresCaseAndRefusesUnknownNames) {
    db->exec(
        QStringLiteral("insert into zadost_kredit (ico, rok, zavazky) values ('123', 2017, 5)"));
    openRow();
    EXPECT_EQ(q->fieldByName(QStringLiteral("ZAVAZKY")).asInteger(), 5);
    try {
        q->fieldByName(QStringLiteral("prod20_hekt"));
        FAIL();
    } catch (const Error &e) {
        EXPECT_EQ(e.message(), QStringLiteral("ZQuery1: Field 'prod20_hekt' not found"));
    }
}

TEST_F(QueryTest, SetAsStringConvertsOrRefusesWithTheFieldMessage) {
    db->exec(QStringLiteral("insert into zadost_kredit (ico, rok) values ('123', 2017)"));
    setDecimalSeparator(u',');
    openRow();
    q->edit();
    struct Case {
        const char *column;
        const char *text;
        const char *error; // empty: accepted
        const char *stored;
    };
    const Case cases[] = {
        {"prod01_hekt", "12", "", "12"},
        {"prod01_hekt", "-7", "", "-7"},
        {"prod01_hekt", "+7", "", "7"},
        {"prod01_hekt", "1-2", "'1-2' is not a valid integer value for field 'prod01_hekt'",
         nullptr},
        {"prod01_hekt", "99999999999",
         "'99999999999' is not a valid integer value for field 'prod01_hekt'", nullptr},
        {"prod01_nahe", "2,5", "", "2,5"},
        {"prod01_nahe", "1E2", "", "100"},
        {"prod01_nahe", "2,5,1",
         "'2,5,1' is not a valid floating point value for field 'prod01_nahe'", nullptr},
        {"prod01_nahe", "", "", ""},
        {"nazevpodni", "Žluťoučký kůň", "", "Žluťoučký kůň"},
    };
    for (const Case &c : cases) {
        ZField &field = f(c.column);
        const QString before = field.asString();
        try {
            field.setAsString(QString::fromUtf8(c.text));
            EXPECT_STREQ(c.error, "") << c.column << " " << c.text;
            EXPECT_EQ(field.asString(), QString::fromUtf8(c.stored));
        } catch (const Error &e) {
            EXPECT_EQ(e.message(), QString::fromUtf8(c.error));
            EXPECT_EQ(field.asString(), before) << "a refused text must not change the field";
        }
    }
    EXPECT_TRUE(f("prod01_nahe").isNull());
}

TEST_F(QueryTest, StateAndModifiedFlag) {
    db->exec(
        QStringLiteral("insert into zadost_kredit (ico, rok, zavazky) values ('123', 2017, 5)"));
    EXPECT_EQ(q->state(), DataSetState::Inactive);
    openRow();
    EXPECT_EQ(q->state(), DataSetState::Browse);
    EXPECT_FALSE(q->modified());
    EXPECT_THROW(f("zavazky").setAsInteger(1), Error) << "writing needs edit state";
    q->edit();
    EXPECT_EQ(q->state(), DataSetState::Edit);
    EXPECT_FALSE(q->modified());
    f("zavazky").setAsInteger(5); // the same value still marks the row
    EXPECT_TRUE(q->modified());
    q->edit(); // already editing: nothing happens
    EXPECT_TRUE(q->modified());
    q->post();
    EXPECT_EQ(q->state(), DataSetState::Browse);
    EXPECT_FALSE(q->modified());
    q->edit();
    f("zavazky").setAsInteger(9);
    q->close();
    EXPECT_EQ(q->state(), DataSetState::Inactive);
    EXPECT_FALSE(q->modified());
    EXPECT_EQ(db->scalar(QStringLiteral("select zavazky from zadost_kredit")), QStringLiteral("5"))
        << "close drops edits that were not posted";
    EXPECT_THROW(q->fieldByName(QStringLiteral("zavazky")), Error);
}

TEST_F(QueryTest, PostWritesOnlyTheChangedColumnsByPrimaryKey) {
    db->exec(QStringLiteral("insert into zadost_kredit (ico, rok, zavazky, nakup_min, pozn_duvod) "
                            "values ('123', 2017, 5, 6, 'puvodni')"));
    openRow();
    const QString id = f("id").asString();
    // Another program changes a column meanwhile.
    db->exec(QStringLiteral("update zadost_kredit set nakup_min = 66"));
    q->edit();
    f("zavazky").setAsInteger(50);
    f("pozn_duvod").setAsString(QStringLiteral("nový \"důvod\" s 'apostrofem' a \\"));
    f("prod01_hekt").setAsInteger(0);
    f("prod01_hekt").clear(); // written, but back to what was read
    heard.clear();
    q->post();
    ASSERT_EQ(heard.size(), 1);
    EXPECT_EQ(heard.front(),
              QStringLiteral("update `zadost_kredit` set `zavazky` = 50, `pozn_duvod` = 'nový "
                             "\\\"důvod\\\" s \\'apostrofem\\' a \\\\' where `id` = ") +
                  id);
    EXPECT_EQ(db->scalar(QStringLiteral("select nakup_min from zadost_kredit")),
              QStringLiteral("66"));
    EXPECT_EQ(db->scalar(QStringLiteral("select zavazky from zadost_kredit")),
              QStringLiteral("50"));
    EXPECT_EQ(db->scalar(QStringLiteral("select pozn_duvod from zadost_kredit")),
              QStringLiteral("nový \"důvod\" s 'apostrofem' a \\"));
}

TEST_F(QueryTest, PostWithoutChangesSendsNothing) {
    db->exec(
        QStringLiteral("insert into zadost_kredit (ico, rok, zavazky) values ('123', 2017, 5)"));
    openRow();
    q->edit();
    f("zavazky").setAsInteger(5);
    heard.clear();
    q->post();
    EXPECT_TRUE(heard.isEmpty());
    EXPECT_EQ(q->state(), DataSetState::Browse);
}

TEST_F(QueryTest, EditOnAnEmptyResultInsertsARow) {
    openRow(QStringLiteral("999"));
    EXPECT_TRUE(q->isEmpty());
    q->edit();
    EXPECT_EQ(q->state(), DataSetState::Insert);
    f("ico").setAsString(QStringLiteral("999"));
    f("rok").setAsInteger(2017);
    q->post();
    EXPECT_FALSE(q->isEmpty());
    EXPECT_EQ(db->scalar(QStringLiteral("select count(*) from zadost_kredit where ico = '999'")),
              QStringLiteral("1"));
    EXPECT_EQ(f("id").asString(),
              db->scalar(QStringLiteral("select id from zadost_kredit where ico = '999'")));
}

TEST_F(QueryTest, TransactionStatementsReallyCommitAndUndo) {
    db->exec(
        QStringLiteral("insert into zadost_kredit (ico, rok, zavazky) values ('123', 2017, 5)"));
    auto run = [this](const char *sql) {
        q->sql().clear();
        q->sql() << QString::fromLatin1(sql);
        q->execSQL();
    };
    const QString probe = QStringLiteral("select zavazky from zadost_kredit");
    run("start transaction");
    openRow();
    q->edit();
    f("zavazky").setAsInteger(6);
    q->post();
    EXPECT_EQ(db->scalar(probe), QStringLiteral("5")) << "another connection must not see it yet";
    run("rollback");
    EXPECT_EQ(db->scalar(probe), QStringLiteral("5"));

    run("start transaction");
    openRow();
    q->edit();
    f("zavazky").setAsInteger(7);
    q->post();
    run("commit");
    EXPECT_EQ(db->scalar(probe), QStringLiteral("7"));
}

TEST_F(QueryTest, CzechTextTravelsInWindows1250) {
    db->exec(QStringLiteral("insert into zadost_kredit (ico, rok) values ('123', 2017)"));
    q->setSqlText(QStringLiteral("set names cp1250"));
    q->execSQL();
    openRow();
    q->edit();
    const QString text = QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy – Grüße, Straße");
    f("nazevpodni").setAsString(text);
    q->post();
    // Check the server's own UTF-8 copy, not our round trip.
    EXPECT_EQ(db->scalar(QStringLiteral(
                  "select hex(convert(nazevpodni using utf8mb4)) from zadost_kredit")),
              QString::fromLatin1(text.toUtf8().toHex().toUpper()));
    openRow();
    EXPECT_EQ(f("nazevpodni").asString(), text);
}

TEST_F(QueryTest, TextTheCodePageCannotHoldIsRefused) {
    db->exec(QStringLiteral(
        "insert into zadost_kredit (ico, rok, nazevpodni) values ('123', 2017, 'Agro')"));
    openRow();
    q->edit();
    try {
        f("nazevpodni").setAsString(QStringLiteral("Агро"));
        FAIL() << "Cyrillic text was accepted";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("nazevpodni")))
            << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("А"))) << e.message().toStdString();
    }
    EXPECT_EQ(f("nazevpodni").asString(), QStringLiteral("Agro"));
    q->post();
    EXPECT_EQ(db->scalar(QStringLiteral("select nazevpodni from zadost_kredit")),
              QStringLiteral("Agro"));
}

TEST_F(QueryTest, FirstPostsPendingEdits) {
    db->exec(
        QStringLiteral("insert into zadost_kredit (ico, rok, zavazky) values ('123', 2017, 5)"));
    openRow();
    q->edit();
    f("zavazky").setAsInteger(8);
    q->first();
    EXPECT_EQ(q->state(), DataSetState::Browse);
    EXPECT_EQ(db->scalar(QStringLiteral("select zavazky from zadost_kredit")), QStringLiteral("8"));
}
