#include "calc/calc.h"
#include "common/error.h"
#include "records/query.h"
#include "tests/support/testdb.h"

#include <gtest/gtest.h>

using namespace varnok;
using varnok::test::TestDatabase;

namespace {

// Each case starts from a fresh application row holding only the given
// columns, opened from the test server like the window opens it.
class CalcTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (test::ServerSettings::fromEnvironment().available())
            db = new TestDatabase();
    }
    static void TearDownTestSuite() {
        delete db;
        db = nullptr;
    }
    void SetUp() override {
        VARNOK_REQUIRE_SERVER();
        db->exec(QStringLiteral("delete from zadost_kredit"));
        conn = db->connect();
        q = std::make_unique<ZQuery>(conn.get());
    }

    // columns: "name=value, name=value" (value NULL allowed)
    void openRowWith(const QString &assignments) {
        QStringList names{QStringLiteral("ico"), QStringLiteral("rok")};
        QStringList values{QStringLiteral("'1'"), QStringLiteral("2017")};
        for (const QString &a : assignments.split(u',', Qt::SkipEmptyParts)) {
            const QStringList kv = a.split(u'=');
            names << kv.at(0).trimmed();
            values << kv.at(1).trimmed();
        }
        db->exec(QStringLiteral("insert into zadost_kredit (%1) values (%2)")
                     .arg(names.join(QStringLiteral(", ")), values.join(QStringLiteral(", "))));
        q->setSqlText(
            QStringLiteral("select * from zadost_kredit where ico = \"1\" and rok = \"2017\""));
        q->open();
    }
    int i(const char *column) { return q->fieldByName(QString::fromLatin1(column)).asInteger(); }
    QString s(const char *column) { return q->fieldByName(QString::fromLatin1(column)).asString(); }

    static TestDatabase *db;
    std::unique_ptr<ZConnection> conn;
    std::unique_ptr<ZQuery> q;
};
TestDatabase *CalcTest::db = nullptr;

} // namespace

TEST_F(CalcTest, QuantityIsTheTruncatedExtendedProduct) {
    struct Case {
        const char *hekt, *nahe;
        int celk;
    };
    const Case cases[] = {
        {"3", "2.5", 7},   {"3", "-2.5", -7},     {"10", "2.3", 22}, {"10", "0.7", 6},
        {"10", "5.6", 55}, {"10", "8.2", 81},     {"10", "1.1", 11}, {"NULL", "2.5", 0},
        {"4", "NULL", 0},  {"250", "6.48", 1620},
    };
    for (const Case &c : cases) {
        SetUp();
        openRowWith(QStringLiteral("prod05_hekt=%1, prod05_nahe=%2, prod05_cena=10")
                        .arg(QString::fromLatin1(c.hekt), QString::fromLatin1(c.nahe)));
        calc::radek(*q, QStringLiteral("05"));
        EXPECT_EQ(i("prod05_celk"), c.celk) << c.hekt << " x " << c.nahe;
        EXPECT_EQ(i("prod05_suma"), c.celk * 10) << c.hekt << " x " << c.nahe;
    }
}

TEST_F(CalcTest, RowValuesTotalsAndSummary) {
    openRowWith(
        QStringLiteral("prod03_hekt=120, prod03_nahe=1, prod03_cena=450, plan03_pv=100, "
                       "prod03_celk=500, prod17_hekt=5, prod17_suma=1000, plan19=7, plan19_pv=3, "
                       "prod20_cena=400, prod20_nahe=9, zavazky=6000"));
    calc::radek(*q, QStringLiteral("03"));
    EXPECT_EQ(i("prod03_celk"), 120) << "a typed quantity is replaced";
    EXPECT_EQ(i("prod03_suma"), 54000);
    EXPECT_EQ(i("plan03"), 45000);
    EXPECT_EQ(i("prodce_hekt"), 125) << "rows 17-19 count";
    EXPECT_EQ(i("prodce_celk"), 120);
    EXPECT_EQ(i("prodce_suma"), 55000);
    EXPECT_EQ(i("plance_pv"), 103);
    EXPECT_EQ(i("plance"), 45007);
    EXPECT_EQ(i("produkce"), 55000);
    EXPECT_EQ(i("nakup"), 45007);
    EXPECT_EQ(i("pohledavky"), 6000);
    EXPECT_EQ(i("zajisteni"), 750);
    EXPECT_EQ(i("zajisteni2"), 916);
    EXPECT_TRUE(q->modified());
}

TEST_F(CalcTest, LeavingAFieldUnchangedStillMarksTheRow) {
    openRowWith(QString());
    calc::radek(*q, QStringLiteral("01"));
    EXPECT_EQ(q->state(), DataSetState::Edit);
    EXPECT_TRUE(q->modified());
    EXPECT_EQ(s("prod01_celk"), QStringLiteral("0"))
        << "NULL inputs count as 0 and the result is written";
}

TEST_F(CalcTest, CreditSummaryCases) {
    struct Case {
        const char *row;
        int pohledavky, zajisteni, zajisteni2;
    };
    const Case cases[] = {
        {"prodejce=1000, zavazky=1000, plance=500, prodce_suma=1500", 2000, 25, 75},
        {"plance=500, prodce_suma=1500", 0, 0, 0}, // claims 0: both 0, no message
        {"plance=0, prodce_suma=0", 0, 0, 0},
        {"zavazky=100, plance=29, prodce_suma=53", 100, 29, 52},
        {"zavazky=100, plance=59, prodce_suma=1", 100, 58, 1},
        {"zavazky=3, plance=1, prodce_suma=150", 3, 33, 5000},
        {"zavazky=100, plance=150, prodce_suma=-10", 100, 150, -10},
        {"zavazky=100, pohledavky=7777", 100, 0, 0}, // a typed claim is replaced
    };
    for (const Case &c : cases) {
        SetUp();
        openRowWith(QString::fromLatin1(c.row));
        calc::pkredit(*q);
        EXPECT_EQ(i("pohledavky"), c.pohledavky) << c.row;
        EXPECT_EQ(i("zajisteni"), c.zajisteni) << c.row;
        EXPECT_EQ(i("zajisteni2"), c.zajisteni2) << c.row;
    }
}

TEST_F(CalcTest, SalesTotalsFeedTheSummary) {
    openRowWith(
        QStringLiteral("prodej01=500, prodej02=500, prodej11=1, prodej01_min=7, prodej11_min=3, "
                       "zavazky=1000, plance=500, prodce_suma=1500"));
    calc::salesTotal(*q);
    EXPECT_EQ(i("prodejce"), 1001);
    EXPECT_EQ(i("prodej"), 1001);
    EXPECT_EQ(i("pohledavky"), 2001);
    EXPECT_EQ(s("prodejce_min"), QString()) << "only the year's total";
    calc::previousSalesTotal(*q);
    EXPECT_EQ(i("prodejce_min"), 10);
    EXPECT_EQ(i("prodej_min"), 10);
}

TEST_F(CalcTest, LandTotalOnly) {
    openRowWith(QStringLiteral("zem_puda_najem=12, zavazky=5"));
    calc::landTotal(*q);
    EXPECT_EQ(i("zem_puda_celkem"), 12);
    EXPECT_EQ(s("pohledavky"), QString()) << "the land total recomputes nothing else";
}

TEST_F(CalcTest, CreditFromTheRequestedAmount) {
    struct Case {
        const char *zadost;
        const char *kredit;
    };
    const Case cases[] = {{"100", "121"}, {"50", "60.5"}, {"NULL", "0"}, {"1000000", "1210000"}};
    for (const Case &c : cases) {
        SetUp();
        openRowWith(QStringLiteral("zadost=%1, kredit=NULL").arg(QString::fromLatin1(c.zadost)));
        calc::credit(*q);
        EXPECT_EQ(s("kredit"), QString::fromLatin1(c.kredit)) << c.zadost;
        EXPECT_TRUE(q->modified());
    }
    // Leaving zadost recomputes the summary but never the credit.
    SetUp();
    openRowWith(QStringLiteral("zadost=100, kredit=5"));
    calc::pkredit(*q);
    EXPECT_EQ(s("kredit"), QStringLiteral("5"));
}

TEST_F(CalcTest, OverflowStopsTheRecomputationNamingTheColumn) {
    openRowWith(QStringLiteral("prod01_hekt=100000, prod01_nahe=1, prod01_cena=100000, zavazky=5"));
    try {
        calc::radek(*q, QStringLiteral("01"));
        FAIL() << "10^10 was written into a 32-bit column";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("'prod01_suma'")))
            << e.message().toStdString();
    }
    EXPECT_EQ(i("prod01_celk"), 100000) << "figures written before the failing step stay";
    EXPECT_EQ(s("pohledavky"), QString()) << "later steps are not run";
}

TEST_F(CalcTest, RowNumberComesFromTheColumnName) {
    EXPECT_EQ(calc::rowOfColumn(QStringLiteral("prod07_hekt")), QStringLiteral("07"));
    EXPECT_EQ(calc::rowOfColumn(QStringLiteral("plan16")), QStringLiteral("16"));
    EXPECT_EQ(calc::rowOfColumn(QStringLiteral("plan12_pv")), QStringLiteral("12"));
}
