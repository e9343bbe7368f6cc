// Opening, generating and switching the year's application through the
// real window, with the statements compared as the server receives them.
#include "app/state.h"
#include "records/query.h"
#include "tests/support/dialogs.h"
#include "tests/support/formfixture.h"

#include <QDate>
#include <QFile>
#include <QLabel>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace varnok;
using namespace varnok::test;

namespace {

QString sel(const QString &ico, int year) {
    return QStringLiteral("select * from zadost_kredit where ico = \"%1\" and rok = \"%2\"")
        .arg(ico)
        .arg(year);
}
const QString kStart = QStringLiteral("start transaction");

class OpenTest : public ::testing::Test {
protected:
    void SetUp() override {
        VARNOK_REQUIRE_SERVER();
        fx = std::make_unique<FormFixture>();
        db().exec(QStringLiteral(
            "insert into adresar (ico, kodpar, nazevpodni, ulicecislo, posta, psc, kod_platce, "
            "partner, dealer, "
            "telefon, emailobj) values ('123', '77', 'Statek Kouřim a.s.', 'Náměstí 1', 'Kouřim', "
            "'28161', 'P1', "
            "'Jan Novák', '12', '321 000 111', 'statek@kourim.cz'), ('456', '5', 'Agro Třeboň', "
            "'Hlavní 2', "
            "'Třeboň', '37901', 'P2', 'Eva Malá', '99', '384 000 222', 'agro@trebon.cz')"));
        db().exec(QStringLiteral(
            "insert into dealertopc (dealer, jmeno) values ('12', 'Sever'), ('13', 'Jih')"));
    }
    void TearDown() override { fx.reset(); }
    TestDatabase &db() { return fx->db(); }
    void addRow(const QString &ico, int year, const QString &extraCols = QString(),
                const QString &extraVals = QString()) {
        db().exec(
            QStringLiteral("insert into zadost_kredit (ico, rok, nazevpodni%1) values ('%2', %3, "
                           "'Statek Kouřim a.s.'%4)")
                .arg(extraCols.isEmpty() ? QString() : QStringLiteral(", ") + extraCols, ico)
                .arg(year)
                .arg(extraVals.isEmpty() ? QString() : QStringLiteral(", ") + extraVals));
    }
    TForm1 &start(const QStringList &args) {
        TForm1 &f = fx->create(args);
        fx->statements.clear();
        fx->show();
        return f;
    }
    QString title() { return fx->form().suiImagePanel2->text(); }
    QString activeTab() { return fx->form().roky->tabText(fx->form().roky->currentIndex()); }

    std::unique_ptr<FormFixture> fx;
};

} // namespace

TEST_F(OpenTest, StartUpOnAnExistingRowAndTheTabHandlersRepeat) {
    addRow(QStringLiteral("123"), 2017);
    DialogAnswerer none({});
    start({QStringLiteral("123"), QStringLiteral("2017")});
    EXPECT_EQ(
        fx->statements,
        (QStringList{sel(QStringLiteral("123"), 2017), kStart, sel(QStringLiteral("123"), 2017),
                     // the tab changes from 2016 to 2017 and opens the same year once more
                     sel(QStringLiteral("123"), 2017), kStart, sel(QStringLiteral("123"), 2017)}));
    EXPECT_EQ(title(), QStringLiteral("Statek Kouřim a.s. 2017"));
    EXPECT_EQ(activeTab(), QStringLiteral("2017"));
    EXPECT_FALSE(state().FirstOpenPending);
    EXPECT_EQ(none.unexpected, 0);
}

TEST_F(OpenTest, StartUpStepsBackToTheNewestYearWithARow) {
    addRow(QStringLiteral("123"), 2016);
    addRow(QStringLiteral("123"), 2017);
    DialogAnswerer none({});
    start({QStringLiteral("123"), QStringLiteral("2021")});
    QStringList expected;
    for (int y = 2021; y >= 2017; --y)
        expected << sel(QStringLiteral("123"), y);
    expected << kStart << sel(QStringLiteral("123"), 2017);
    EXPECT_EQ(fx->statements.mid(0, expected.size()), expected);
    EXPECT_EQ(state().CurrentYear, QStringLiteral("2017"));
    EXPECT_EQ(title(), QStringLiteral("Statek Kouřim a.s. 2017"));
    EXPECT_EQ(activeTab(), QStringLiteral("2017"));
}

TEST_F(OpenTest, NoRowDownTo2013AsksForTheRequestedYearAndGenerates) {
    DialogAnswerer answers({1});
    start({QStringLiteral("123"), QStringLiteral("2015")});
    ASSERT_EQ(answers.texts, QStringList{QStringLiteral("Vygenerovat větu žádosti pro rok 2015?")});
    QStringList expected{sel(QStringLiteral("123"), 2015), sel(QStringLiteral("123"), 2014),
                         sel(QStringLiteral("123"), 2013), sel(QStringLiteral("123"), 2015)};
    EXPECT_EQ(fx->statements.mid(0, 4), expected);
    ASSERT_GE(fx->statements.size(), 4 + 12 + 2);
    EXPECT_EQ(
        fx->statements.at(4),
        QStringLiteral(
            "insert into zadost_kredit (ico, kod_par, nazevpodni, ulicecislo, posta, psc, "
            "kod_platce, partner, dealer, telefon, emailobj, rok)\n"
            "select ico, kodpar, nazevpodni, ulicecislo, posta, psc, kod_platce, partner, dealer, "
            "telefon, emailobj, \"2015\"\n"
            "from adresar where ico = \"123\""));
    EXPECT_EQ(
        fx->statements.at(5),
        QStringLiteral(
            "update zadost_kredit, dealertopc set zadost_kredit.dealer = concat(dealertopc.jmeno, "
            "\"/\", zadost_kredit.dealer) where zadost_kredit.ico = \"123\" and "
            "zadost_kredit.dealer = dealertopc.dealer"));
    EXPECT_EQ(fx->statements.at(6),
              QStringLiteral("drop temporary table if exists _zadost_kredit"));
    EXPECT_EQ(
        fx->statements.at(7),
        QStringLiteral(
            "create temporary table _zadost_kredit select ico, prodej01, prodej02, prodej03, "
            "prodej04,\nprodej05, prodej06, prodej07, prodej08, prodej09, prodej10, prodej11, "
            "prodejce from zadost_kredit where\nico = \"123\" and rok = \"2014\""));
    QString sales =
        QStringLiteral("update zadost_kredit, _zadost_kredit set zadost_kredit.prodej01_min = "
                       "_zadost_kredit.prodej01,\n");
    for (const char *n : {"02", "03", "04", "05", "06", "07", "08", "09", "10", "11"})
        sales += QStringLiteral(" zadost_kredit.prodej%1_min = _zadost_kredit.prodej%1,\n")
                     .arg(QLatin1String(n));
    sales += QStringLiteral(
        " zadost_kredit.prodejce_min = _zadost_kredit.prodejce\n where zadost_kredit.ico = "
        "\"123\" and zadost_kredit.rok = \"2015\" and zadost_kredit.ico = _zadost_kredit.ico");
    EXPECT_EQ(fx->statements.at(8), sales);
    EXPECT_EQ(
        fx->statements.at(10),
        QStringLiteral(
            "create temporary table _zadost_kredit select rok, prod01_cena, prod02_cena, "
            "prod03_cena, prod04_cena,\nprod05_cena, prod06_cena, prod07_cena, prod08_cena, "
            "prod09_cena, prod10_cena,\nprod11_cena, prod12_cena, prod13_cena, prod14_cena,\n"
            "prod15_cena, prod16_cena, prod17_cena, prod18_cena, prod19_cena, prod20_cena\n"
            "from zadost_kredit where\nrok = \"2015\" and prod01_cena <> 0 order by id limit 0,1"));
    const QStringList copy = fx->statements.at(14).split(u'\n');
    ASSERT_EQ(copy.size(), 22);
    EXPECT_EQ(copy.at(0), QStringLiteral("update zadost_kredit, _zadost_kredit set"));
    EXPECT_EQ(copy.at(1),
              QStringLiteral(" zadost_kredit.prod01_nahe = _zadost_kredit.prod01_nahe,"));
    EXPECT_EQ(copy.at(20),
              QStringLiteral(" zadost_kredit.prod20_nahe = _zadost_kredit.prod20_nahe"));
    EXPECT_EQ(
        copy.at(21),
        QStringLiteral(" where zadost_kredit.ico = \"123\" and zadost_kredit.rok = \"2015\" and "
                       "zadost_kredit.rok = _zadost_kredit.rok"));
    EXPECT_EQ(fx->statements.at(15),
              QStringLiteral("drop temporary table if exists _zadost_kredit"));
    EXPECT_EQ(fx->statements.at(16), kStart);
    EXPECT_EQ(fx->statements.at(17), sel(QStringLiteral("123"), 2015));
    EXPECT_EQ(title(), QStringLiteral("Statek Kouřim a.s. 2015"));
    EXPECT_EQ(db().scalar(QStringLiteral(
                  "select concat(kod_par, '|', dealer, '|', posta) from zadost_kredit where "
                  "rok = 2015")),
              QStringLiteral("77|Sever/12|Kouřim"));
}

TEST_F(OpenTest, Year2013AsksAtOnceAndDecliningAtStartUpEndsTheProgram) {
    DialogAnswerer answers({2, 1});
    start({QStringLiteral("123"), QStringLiteral("2013")});
    EXPECT_EQ(fx->statements,
              (QStringList{sel(QStringLiteral("123"), 2013), sel(QStringLiteral("123"), 2013)}));
    EXPECT_EQ(answers.texts,
              (QStringList{QStringLiteral("Vygenerovat větu žádosti pro rok 2013?"),
                           QStringLiteral("Žádná věta žádosti o kredit pro rok 2013!")}));
    EXPECT_FALSE(fx->form().isVisible());
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from zadost_kredit")),
              QStringLiteral("0"));
}

TEST_F(OpenTest, YearBelow2013DoesNotStepBelowTheRequestedYear) {
    DialogAnswerer answers({2, 1});
    start({QStringLiteral("123"), QStringLiteral("2010")});
    EXPECT_EQ(fx->statements,
              (QStringList{sel(QStringLiteral("123"), 2010), sel(QStringLiteral("123"), 2010)}));
    EXPECT_EQ(answers.texts.value(0), QStringLiteral("Vygenerovat větu žádosti pro rok 2010?"));
}

TEST_F(OpenTest, DecliningTheGenerationAtATabSwitchReloadsThePreviousYear) {
    addRow(QStringLiteral("123"), 2017, QStringLiteral("zavazky"), QStringLiteral("5"));
    {
        DialogAnswerer none({});
        start({QStringLiteral("123"), QStringLiteral("2017")});
    }
    fx->statements.clear();
    DialogAnswerer answers({2});
    fx->form().roky->setCurrentIndex(2); // 2018
    EXPECT_EQ(answers.texts, QStringList{QStringLiteral("Vygenerovat větu žádosti pro rok 2018?")});
    EXPECT_EQ(fx->statements,
              (QStringList{sel(QStringLiteral("123"), 2018), sel(QStringLiteral("123"), 2017),
                           kStart, sel(QStringLiteral("123"), 2017)}));
    EXPECT_EQ(activeTab(), QStringLiteral("2017"));
    EXPECT_EQ(state().CurrentYear, QStringLiteral("2017"));
    EXPECT_EQ(fx->form().ZQuery1->fieldByName(QStringLiteral("zavazky")).asInteger(), 5);
    EXPECT_EQ(title(), QStringLiteral("Statek Kouřim a.s. 2017"));
}

TEST_F(OpenTest, KeepingUnsavedChangesTwiceSendsNothing) {
    addRow(QStringLiteral("123"), 2017);
    addRow(QStringLiteral("123"), 2018);
    {
        DialogAnswerer none({});
        start({QStringLiteral("123"), QStringLiteral("2017")});
    }
    ZQuery &q = *fx->form().ZQuery1;
    q.edit();
    q.fieldByName(QStringLiteral("zavazky")).setAsInteger(42);
    fx->statements.clear();
    DialogAnswerer answers({2, 2});
    fx->form().roky->setCurrentIndex(2);
    EXPECT_EQ(answers.texts, (QStringList{QStringLiteral("POZOR - zjištěny neuložené změny!"),
                                          QStringLiteral("POZOR - zjištěny neuložené změny!")}));
    EXPECT_TRUE(fx->statements.isEmpty()) << fx->statements.join(u'|').toStdString();
    EXPECT_EQ(activeTab(), QStringLiteral("2017"));
    EXPECT_TRUE(q.modified());
    EXPECT_EQ(q.fieldByName(QStringLiteral("zavazky")).asInteger(), 42);
}

TEST_F(OpenTest, ContinuingRollsBackBeforeTheNewSelect) {
    addRow(QStringLiteral("123"), 2017);
    addRow(QStringLiteral("123"), 2018);
    {
        DialogAnswerer none({});
        start({QStringLiteral("123"), QStringLiteral("2017")});
    }
    ZQuery &q = *fx->form().ZQuery1;
    q.edit();
    q.fieldByName(QStringLiteral("zavazky")).setAsInteger(42);
    q.post(); // as a print used to: posted inside the transaction
    q.edit();
    q.fieldByName(QStringLiteral("zavazky")).setAsInteger(43);
    fx->statements.clear();
    DialogAnswerer answers({1});
    fx->form().roky->setCurrentIndex(2);
    ASSERT_GE(fx->statements.size(), 2);
    EXPECT_EQ(fx->statements.at(0), QStringLiteral("rollback"));
    EXPECT_EQ(fx->statements.at(1), sel(QStringLiteral("123"), 2018));
    EXPECT_EQ(activeTab(), QStringLiteral("2018"));
    EXPECT_EQ(db().scalar(QStringLiteral("select zavazky from zadost_kredit where rok = 2017")),
              QString());
}

TEST_F(OpenTest, GenerationCopiesSalesPricesAndYieldsAndRewritesDealers) {
    addRow(QStringLiteral("123"), 2017, QStringLiteral("prodej01, prodejce, dealer"),
           QStringLiteral("500, 900, '12'"));
    // Prices and yields come from the year's first application that has
    // them, each chosen on its own.
    db().exec(QStringLiteral(
        "insert into zadost_kredit (ico, rok, prod01_cena, prod20_cena, prod01_nahe) values "
        "('900', 2018, 0, 1, 4.5), ('901', 2018, 300, 400, NULL), ('902', 2018, 310, 410, 6.5)"));
    {
        DialogAnswerer none({});
        start({QStringLiteral("123"), QStringLiteral("2017")});
    }
    DialogAnswerer answers({1});
    fx->form().roky->setCurrentIndex(2);
    ZQuery &q = *fx->form().ZQuery1;
    EXPECT_EQ(q.fieldByName(QStringLiteral("prodej01_min")).asInteger(), 500);
    EXPECT_EQ(q.fieldByName(QStringLiteral("prodejce_min")).asInteger(), 900);
    EXPECT_EQ(q.fieldByName(QStringLiteral("prod01_cena")).asInteger(), 300);
    EXPECT_EQ(q.fieldByName(QStringLiteral("prod20_cena")).asInteger(), 400);
    EXPECT_DOUBLE_EQ(q.fieldByName(QStringLiteral("prod01_nahe")).asFloat(), 4.5);
    EXPECT_EQ(q.fieldByName(QStringLiteral("dealer")).asString(), QStringLiteral("Sever/12"));
    EXPECT_EQ(q.fieldByName(QStringLiteral("kod_par")).asString(), QStringLiteral("77"));
    EXPECT_EQ(db().scalar(QStringLiteral(
                  "select dealer from zadost_kredit where ico = '123' and rok = 2017")),
              QStringLiteral("Sever/12"))
        << "an older row with a bare dealer code is rewritten too";
    EXPECT_EQ(title(), QStringLiteral("Statek Kouřim a.s. 2018"));
}

TEST_F(OpenTest, CompanyFromTheWindowStateFileUnlessTheCommandLineNamesOne) {
    addRow(QStringLiteral("123"), 2017);
    db().exec(QStringLiteral(
        "insert into zadost_kredit (ico, rok, nazevpodni) values ('456', 2017, 'Agro Třeboň')"));
    fx->create({});
    QFile ini(fx->form().windowStateFile());
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Posledni]\r\nICO=456\r\n");
    ini.close();
    {
        DialogAnswerer none({});
        fx->create({QString(), QStringLiteral("2017")});
        fx->show();
    }
    EXPECT_EQ(state().CurrentIco, QStringLiteral("456"));
    EXPECT_EQ(title(), QStringLiteral("Agro Třeboň 2017"));
    state() = AppState();
    {
        DialogAnswerer none({});
        fx->create({QStringLiteral("123"), QStringLiteral("2017")});
        fx->show();
    }
    EXPECT_EQ(state().CurrentIco, QStringLiteral("123"));
}

TEST_F(OpenTest, CompanyMissingFromTheAddressBookIsReportedAndTheYearGoesBack) {
    db().exec(QStringLiteral(
        "insert into zadost_kredit (ico, rok, nazevpodni) values ('777', 2017, 'Bez adresy')"));
    {
        DialogAnswerer none({});
        start({QStringLiteral("777"), QStringLiteral("2017")});
    }
    DialogAnswerer answers({1, 1});
    fx->form().roky->setCurrentIndex(2);
    ASSERT_EQ(answers.texts.size(), 2);
    EXPECT_TRUE(answers.texts.at(1).contains(QStringLiteral("není v adresáři")))
        << answers.texts.at(1).toStdString();
    EXPECT_EQ(activeTab(), QStringLiteral("2017"));
    EXPECT_FALSE(fx->form().ZQuery1->isEmpty());
    EXPECT_EQ(title(), QStringLiteral("Bez adresy 2017"));
}

TEST_F(OpenTest, CompanyNumberCannotChangeAStatement) {
    DialogAnswerer answers({2, 1});
    start({QStringLiteral("1\" or \"1\"=\"1"), QStringLiteral("2013")});
    ASSERT_FALSE(fx->statements.isEmpty());
    EXPECT_EQ(fx->statements.front(),
              QStringLiteral("select * from zadost_kredit where ico = \"1\\\" or \\\"1\\\"=\\\"1\" "
                             "and rok = \"2013\""));
}
