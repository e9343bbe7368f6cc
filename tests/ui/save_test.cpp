// Saving and closing through the real window; the server's rows and the
// statements it received are what the tests compare.
#include "app/state.h"
#include "records/query.h"
#include "tests/support/dialogs.h"
#include "tests/support/formfixture.h"
#include "ui/dbedit.h"
#include "ui/messagedialog.h"

#include <QApplication>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace varnok;
using namespace varnok::test;

namespace {

const QString kSel =
    QStringLiteral("select * from zadost_kredit where ico = \"123\" and rok = \"2017\"");

class SaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        VARNOK_REQUIRE_SERVER();
        fx = std::make_unique<FormFixture>();
        db().exec(QStringLiteral("insert into adresarbor (ico, kreditnavi) values ('123', 10)"));
        db().exec(QStringLiteral(
            "insert into zadost_kredit (ico, rok, nazevpodni, zadost, priznani, zavazky) "
            "values ('123', 2017, 'Statek', 150, '2017-04-01', 5)"));
        DialogAnswerer none({});
        fx->create({QStringLiteral("123"), QStringLiteral("2017")});
        fx->show();
        fx->statements.clear();
    }
    TestDatabase &db() { return fx->db(); }
    TForm1 &form() { return fx->form(); }
    ZQuery &q() { return *form().ZQuery1; }
    void setColumn(const char *column, const QString &text) {
        q().edit();
        q().fieldByName(QString::fromLatin1(column)).setAsString(text);
    }
    void save() { QTest::mouseClick(form().suiButton3, Qt::LeftButton); }
    QString server(const char *sql) { return db().scalar(QString::fromLatin1(sql)); }

    std::unique_ptr<FormFixture> fx;
};

} // namespace

TEST_F(SaveTest, SaveWithoutChangesStillCommitsReopensAndAsks) {
    DialogAnswerer answers({2});
    save();
    EXPECT_EQ(fx->statements,
              (QStringList{QStringLiteral("commit"), QStringLiteral("start transaction"), kSel}));
    EXPECT_EQ(answers.texts, QStringList{QStringLiteral("Uložit částku kreditu do objednávek?")});
    EXPECT_EQ(q().state(), DataSetState::Browse);
    EXPECT_FALSE(q().modified());
    EXPECT_EQ(server("select kreditnavi from adresarbor"), QStringLiteral("10"));
}

TEST_F(SaveTest, OrderDataWrittenAndConfirmedThenTheQuestionComesBack) {
    setColumn("zavazky", QStringLiteral("77"));
    auto answers = std::make_unique<DialogAnswerer>(QList<int>{1, 1});
    save();
    ASSERT_GE(fx->statements.size(), 6);
    EXPECT_TRUE(fx->statements.at(0).startsWith(
        QStringLiteral("update `zadost_kredit` set `zavazky` = 77")));
    EXPECT_EQ(
        fx->statements.mid(1),
        (QStringList{QStringLiteral("commit"), QStringLiteral("start transaction"), kSel,
                     QStringLiteral("update adresarbor set kreditnavi = 150 where ico = \"123\""),
                     QStringLiteral("commit")}));
    EXPECT_EQ(answers->texts,
              (QStringList{QStringLiteral("Uložit částku kreditu do objednávek?"),
                           QStringLiteral("Částka kreditu do objednávek uložena!")}));
    answers.reset();
    EXPECT_EQ(server("select kreditnavi from adresarbor where ico = '123'"), QStringLiteral("150"));
    EXPECT_EQ(server("select zavazky from zadost_kredit"), QStringLiteral("77"));

    // A second save shows the question form again, with both buttons.
    DialogAnswerer second({2});
    save();
    EXPECT_EQ(second.texts, QStringList{QStringLiteral("Uložit částku kreditu do objednávek?")});
    EXPECT_EQ(form().ulozit->ButtonCount, 2);
    EXPECT_EQ(form().ulozit->Button1Caption, QStringLiteral("uložit"));
}

TEST_F(SaveTest, MissingDateCommitsTheRowButLeavesTheOrderData) {
    setColumn("priznani", QString());
    setColumn("zavazky", QStringLiteral("9"));
    DialogAnswerer answers({1});
    save();
    EXPECT_EQ(answers.texts, QStringList{QStringLiteral("Není vyplněno datum přiznání kreditu!")});
    EXPECT_EQ(server("select zavazky from zadost_kredit"), QStringLiteral("9"));
    EXPECT_EQ(server("select kreditnavi from adresarbor"), QStringLiteral("10"));
}

TEST_F(SaveTest, DecliningTheOrderDataLeavesItUntouched) {
    setColumn("zadost", QStringLiteral("999"));
    DialogAnswerer answers({2});
    save();
    EXPECT_EQ(server("select zadost from zadost_kredit"), QStringLiteral("999"));
    EXPECT_EQ(server("select kreditnavi from adresarbor"), QStringLiteral("10"));
}

TEST_F(SaveTest, EmptyRequestedAmountIsReportedInsteadOfSent) {
    setColumn("zadost", QString());
    DialogAnswerer answers({1, 1});
    save();
    ASSERT_EQ(answers.texts.size(), 2);
    EXPECT_TRUE(answers.texts.at(1).contains(QStringLiteral("požadovaná částka")))
        << answers.texts.at(1).toStdString();
    for (const QString &s : fx->statements)
        EXPECT_FALSE(s.contains(QStringLiteral("adresarbor"))) << s.toStdString();
    EXPECT_EQ(server("select kreditnavi from adresarbor"), QStringLiteral("10"));
}

TEST_F(SaveTest, CompanyWithoutOrderDataStaysWithout) {
    db().exec(QStringLiteral("delete from adresarbor"));
    DialogAnswerer answers({1, 1});
    save();
    EXPECT_EQ(server("select count(*) from adresarbor"), QStringLiteral("0"));
}

TEST_F(SaveTest, CloseRightAfterASaveAsksNothingAndSendsNothing) {
    {
        DialogAnswerer answers({2});
        save();
    }
    fx->statements.clear();
    DialogAnswerer none({});
    EXPECT_TRUE(form().close());
    EXPECT_TRUE(fx->statements.isEmpty());
    EXPECT_TRUE(none.texts.isEmpty());
}

TEST_F(SaveTest, LeavingAGridFieldUnchangedThenClosingWarns) {
    form().findChild<QTabWidget *>(QStringLiteral("suiPageControl1"))->setCurrentIndex(2);
    auto *field = form().findChild<TDBEdit *>(QStringLiteral("suiDBEdit38"));
    ASSERT_NE(field, nullptr);
    form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    field->setFocus();
    ASSERT_TRUE(field->hasFocus());
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_TRUE(q().modified());
    DialogAnswerer answers({2});
    EXPECT_FALSE(form().close()) << "zpět keeps the window";
    EXPECT_EQ(answers.texts, QStringList{QStringLiteral("POZOR - zjištěny neuložené změny!")});
    EXPECT_TRUE(q().modified());
    EXPECT_EQ(q().state(), DataSetState::Edit);
}

TEST_F(SaveTest, BackThenSaveCommitsTheEdits) {
    setColumn("zavazky", QStringLiteral("31"));
    {
        DialogAnswerer answers({2});
        EXPECT_FALSE(form().close());
    }
    DialogAnswerer answers({2});
    save();
    EXPECT_EQ(server("select zavazky from zadost_kredit"), QStringLiteral("31"));
}

TEST_F(SaveTest, ContinueAtCloseLeavesTheServerRowAsItWas) {
    setColumn("zavazky", QStringLiteral("31"));
    DialogAnswerer answers({1});
    EXPECT_TRUE(form().close());
    EXPECT_EQ(fx->statements, QStringList{QStringLiteral("rollback")});
    EXPECT_EQ(server("select zavazky from zadost_kredit"), QStringLiteral("5"));
}

TEST_F(SaveTest, TextTypedIntoTheFocusedFieldCountsAtClose) {
    form().findChild<QTabWidget *>(QStringLiteral("suiPageControl1"))->setCurrentIndex(3);
    auto *field = form().findChild<TDBEdit *>(QStringLiteral("suiDBEdit166")); // zavazky
    ASSERT_NE(field, nullptr);
    form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    field->setFocus();
    ASSERT_TRUE(field->hasFocus());
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("444"));
    DialogAnswerer answers({2});
    EXPECT_FALSE(form().close());
    EXPECT_EQ(answers.texts, QStringList{QStringLiteral("POZOR - zjištěny neuložené změny!")});
    EXPECT_EQ(q().fieldByName(QStringLiteral("zavazky")).asInteger(), 444);
    EXPECT_EQ(q().fieldByName(QStringLiteral("pohledavky")).asInteger(), 444) << "its handler ran";
}

TEST_F(SaveTest, FailedCommitKeepsTheValuesOnScreen) {
    setColumn("zavazky", QStringLiteral("55"));
    // Kill the window's connection from outside, as a dead server would.
    ZQuery probe(form().ZConnection1);
    q().post(); // posted, as the save would, before the failure
    q().edit();
    q().fieldByName(QStringLiteral("zavazky")).setAsInteger(56);
    const QString id = [&] {
        probe.setSqlText(QStringLiteral("select connection_id()"));
        probe.open();
        return probe.field(0).asString();
    }();
    db().exec(QStringLiteral("kill ") + id);
    DialogAnswerer answers({1});
    save();
    ASSERT_EQ(answers.texts.size(), 1);
    EXPECT_TRUE(answers.texts.at(0).startsWith(QStringLiteral("SQL chyba: ")))
        << answers.texts.at(0).toStdString();
    EXPECT_TRUE(q().active());
    EXPECT_EQ(q().fieldByName(QStringLiteral("zavazky")).asInteger(), 56);
    EXPECT_TRUE(q().modified());
    EXPECT_EQ(server("select zavazky from zadost_kredit"), QStringLiteral("5"));
}

TEST_F(SaveTest, WithoutAnOpenRowSaveAndPrintRefuseClearly) {
    q().close();
    fx->statements.clear();
    DialogAnswerer answers({1, 1});
    save();
    QTest::mouseClick(form().suiButton2, Qt::LeftButton);
    EXPECT_EQ(answers.texts,
              (QStringList{
                  QStringLiteral("Není otevřena žádná věta žádosti o kredit, není co uložit."),
                  QStringLiteral("Není otevřena žádná věta žádosti o kredit, není co tisknout.")}));
    EXPECT_TRUE(fx->statements.isEmpty());
}
