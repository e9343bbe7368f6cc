// Start-up of the real window: configuration file, command line, design
// hot key switch and the window-state file.
#include "app/inifile.h"
#include "app/state.h"
#include "tests/support/dialogs.h"
#include "tests/support/formfixture.h"

#include <QFile>
#include <QTabBar>
#include <gtest/gtest.h>

using namespace varnok;
using namespace varnok::test;

namespace {

class CreateTest : public ::testing::Test {
protected:
    void SetUp() override {
        VARNOK_REQUIRE_SERVER();
        fx = std::make_unique<FormFixture>();
        for (int year : {2016, 2017, 2018, 2019})
            fx->db().exec(
                QStringLiteral(
                    "insert into zadost_kredit (ico, rok, nazevpodni) values ('123', %1, 'Statek')")
                    .arg(year));
    }
    std::unique_ptr<FormFixture> fx;
};

} // namespace

TEST_F(CreateTest, ConfigurationCases) {
    struct Case {
        const char *what;
        const char *ini; // nullptr: no file at all
        QStringList args;
        bool connected;
        const char *error; // start of the error box text, "" for none
        const char *printLanguage;
    };
    const Case cases[] = {
        {"normal start", "", {}, true, "", "cj"},
        {"no configuration file", nullptr, {}, false, "", "cj"},
        {"SQLport abc", "SQLport=abc\r\n", {}, false, "'abc' is not a valid integer value", "cj"},
        {"/EDIT is not the switch",
         "",
         {QStringLiteral("123"), QStringLiteral("2017"), QStringLiteral("/EDIT")},
         true,
         "",
         "cj"},
        {"-edit is not the switch", "", {QStringLiteral("-edit")}, true, "", "cj"},
        // No global hot keys on the offscreen platform: the refusal stops
        // the start-up handler before the language and the connection.
        {"/edit twice",
         "",
         {QStringLiteral("123"), QStringLiteral("/edit"), QStringLiteral("/edit")},
         false,
         "System Error.  Code: 50.\n",
         ""},
    };
    for (const Case &c : cases) {
        state() = AppState();
        if (c.ini)
            fx->writeConfiguration(QString::fromLatin1(c.ini));
        else
            QFile::remove(fx->programDir() + QStringLiteral("../varnok05.ini"));
        DialogAnswerer answers({1, 1, 1});
        TForm1 &form = fx->create(c.args);
        EXPECT_EQ(form.ZConnection1->connected(), c.connected)
            << c.what << " " << answers.texts.join(u'|').toStdString();
        EXPECT_EQ(state().PrintLanguage, QString::fromLatin1(c.printLanguage)) << c.what;
        EXPECT_TRUE(state().FirstOpenPending) << c.what;
        EXPECT_FALSE(state().DesignRequested) << c.what;
        if (*c.error) {
            ASSERT_FALSE(answers.texts.isEmpty()) << c.what;
            EXPECT_TRUE(answers.texts.front().startsWith(QString::fromUtf8(c.error)))
                << c.what << ": " << answers.texts.front().toStdString();
        } else if (c.ini) {
            EXPECT_TRUE(answers.texts.isEmpty())
                << c.what << ": " << answers.texts.join(u'|').toStdString();
        }
        if (!c.ini) {
            // The built-in settings were used: a host that is not ours.
            EXPECT_EQ(form.ZConnection1->HostName, QStringLiteral("sql.varnok.cz"));
            EXPECT_EQ(form.ZConnection1->Port, 0);
            ASSERT_FALSE(answers.texts.isEmpty());
            EXPECT_TRUE(answers.texts.front().startsWith(QStringLiteral("SQL chyba: ")) ||
                        answers.texts.front() ==
                            QStringLiteral("Nezdařilo se připojení k SQL serveru"))
                << answers.texts.front().toStdString();
        }
        fx->destroy();
    }
}

TEST_F(CreateTest, EmptyIpGivesAnEmptyHost) {
    QFile f(fx->programDir() + QStringLiteral("../varnok05.ini"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("[LogOn]\r\nIP=\r\nSQLport=1\r\n");
    f.close();
    DialogAnswerer answers({1});
    TForm1 &form = fx->create({});
    EXPECT_EQ(form.ZConnection1->HostName, QString());
    EXPECT_EQ(form.ZConnection1->Port, 1);
}

TEST_F(CreateTest, WindowStateIsWrittenAtEveryCloseRequest) {
    {
        DialogAnswerer none({});
        fx->create({QStringLiteral("123"), QStringLiteral("2017")});
        fx->show();
    }
    TForm1 &form = fx->form();
    const IniFile ini(form.windowStateFile());
    {
        DialogAnswerer none({});
        form.roky->setCurrentIndex(2);
    }
    form.ZQuery1->edit();
    form.ZQuery1->fieldByName(QStringLiteral("zavazky")).setAsInteger(1);
    {
        DialogAnswerer back({2});
        EXPECT_FALSE(form.close());
    }
    EXPECT_EQ(ini.readString(QStringLiteral("TForm1"), QStringLiteral("roky_TabIndex"), QString()),
              QStringLiteral("2"))
        << "written also when the close is cancelled";
    EXPECT_EQ(ini.readString(QStringLiteral("TForm1"), QStringLiteral("FormVersion"), QString()),
              QStringLiteral("0"));
    {
        DialogAnswerer cont({1}); // the changes are let go
        form.roky->setCurrentIndex(1);
    }
    {
        DialogAnswerer cont({});
        EXPECT_TRUE(form.close());
    }
    EXPECT_EQ(ini.readString(QStringLiteral("TForm1"), QStringLiteral("roky_TabIndex"), QString()),
              QStringLiteral("1"));
}

TEST_F(CreateTest, StoredTabIndexIsRestoredBeforeShowingUnlessOutsideTheTabs) {
    for (int stored : {1, 7}) {
        state() = AppState();
        fx->create({QStringLiteral("123"), QStringLiteral("2019")});
        IniFile(fx->form().windowStateFile())
            .writeString(QStringLiteral("TForm1"), QStringLiteral("roky_TabIndex"),
                         QString::number(stored));
        DialogAnswerer none({});
        fx->show();
        // 2019 has no tab, so the tab stays where the storage put it.
        EXPECT_EQ(fx->form().roky->currentIndex(), stored == 1 ? 1 : 0) << stored;
        EXPECT_EQ(none.texts, QStringList()) << stored;
        fx->destroy();
    }
}

TEST_F(CreateTest, HotKeyArmsTheDesignerOnlyInTheNormalWindowState) {
    DialogAnswerer none({});
    TForm1 &form = fx->create({QStringLiteral("123"), QStringLiteral("2017")});
    fx->show();
    for (Qt::WindowState s : {Qt::WindowMinimized, Qt::WindowMaximized, Qt::WindowNoState}) {
        state().DesignRequested = false;
        form.setWindowState(s);
        form.tdGlobalHotKeys1HotKeys0Execute();
        EXPECT_EQ(state().DesignRequested, s == Qt::WindowNoState) << int(s);
    }
}
