// The bound fields on an open row: what typing, Esc and leaving a field do,
// which keys a column refuses, and which handler each field runs.
#include "tests/ui/window_fixture.h"
#include "ui/calendardialog.h"
#include "ui/dbdateedit.h"
#include "ui/dbmemo.h"
#include "ui/messagedialog.h"

#include <QCalendarWidget>
#include <QTabBar>
#include <QTextCharFormat>
#include <QTimer>
#include <QToolButton>

using namespace varnok;
using namespace varnok::test;

namespace {

QString nn(int row) {
    return QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0'));
}
QString edit(int n) {
    return QStringLiteral("suiDBEdit%1").arg(n);
}

// Inputs that make every recomputation visible: each product row has an
// area of 3, a yield of 2, a price of 10 and a planned quantity of 4.
class FieldTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        QStringList columns, values;
        const auto set = [&](const QString &c, const QString &v) {
            columns << c;
            values << v;
        };
        for (int r = 1; r <= 16; ++r) {
            set(QStringLiteral("prod%1_hekt").arg(nn(r)), QStringLiteral("3"));
            set(QStringLiteral("prod%1_nahe").arg(nn(r)), QStringLiteral("2"));
            set(QStringLiteral("prod%1_cena").arg(nn(r)), QStringLiteral("10"));
            set(QStringLiteral("plan%1_pv").arg(nn(r)), QStringLiteral("4"));
        }
        for (int r = 1; r <= 11; ++r) {
            set(QStringLiteral("prodej") + nn(r), QStringLiteral("1"));
            set(QStringLiteral("prodej%1_min").arg(nn(r)), QStringLiteral("2"));
        }
        set(QStringLiteral("zem_puda_vlast"), QStringLiteral("1"));
        set(QStringLiteral("zem_puda_najem"), QStringLiteral("2"));
        set(QStringLiteral("zavazky"), QStringLiteral("5"));
        set(QStringLiteral("zadost"), QStringLiteral("100"));
        open(columns.join(QStringLiteral(", ")), values.join(QStringLiteral(", ")));
    }

    // Gives the field the focus, replaces its text by typing, and leaves
    // it with Tab.
    void typeAndLeave(QWidget *field, const QString &text) {
        focus(field);
        typeInto(field, text);
        QTest::keyClick(field, Qt::Key_Tab);
    }
    void typeInto(QWidget *field, const QString &text) {
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            QTest::keyClick(field, Qt::Key_Backspace);
        else
            QTest::keyClicks(field, text);
    }
    // Gives the field the focus, empties the columns (after the field
    // that had the focus was left), and leaves the field unchanged.
    void leave(QWidget *field, std::initializer_list<const char *> cleared = {}) {
        focus(field);
        clearColumns(cleared);
        QTest::keyClick(field, Qt::Key_Tab);
    }
    void clearColumns(std::initializer_list<const char *> names) {
        q().edit();
        for (const char *n : names)
            column(n).clear();
    }
};

} // namespace

TEST_F(FieldTest, EveryProductionFieldRecomputesItsRow) {
    const int firsts[] = {38, 0, 71, 87, 103, 119, 135};
    for (int r = 1; r <= 16; ++r) {
        for (int first : firsts) {
            const QString name = edit(first ? first + r - 1 : (r <= 3 ? 53 + r : 54 + r));
            SCOPED_TRACE(name.toStdString());
            const QByteArray celk = QStringLiteral("prod%1_celk").arg(nn(r)).toLatin1();
            const QByteArray suma = QStringLiteral("prod%1_suma").arg(nn(r)).toLatin1();
            const QByteArray plan = (QStringLiteral("plan") + nn(r)).toLatin1();
            leave(control(name), {celk.constData(), suma.constData(), plan.constData()});
            EXPECT_EQ(column(celk.constData()).asInteger(), 6);
            EXPECT_EQ(column(suma.constData()).asInteger(), 60);
            EXPECT_EQ(column(plan.constData()).asInteger(), 40);
        }
    }
    EXPECT_EQ(column("prodce_hekt").asInteger(), 48);
}

TEST_F(FieldTest, SalesLandAndCreditFieldsRunTheirHandlers) {
    struct Case {
        int control;
        const char *result; // column the handler writes
        int expected;
    };
    std::vector<Case> cases;
    for (int n : {27, 29, 30, 31, 32, 33, 34, 35, 36, 157, 159})
        cases.push_back({n, "prodejce", 11});
    for (int n : {18, 21, 24, 26, 28, 19, 20, 22, 23, 153, 161})
        cases.push_back({n, "prodejce_min", 22});
    for (int n : {12, 13})
        cases.push_back({n, "zem_puda_celkem", 3});
    for (int n : {166, 168, 171})
        cases.push_back({n, "pohledavky", 5 + 11}); // zavazky + prodej (the sales total)
    for (const Case &c : cases) {
        SCOPED_TRACE(c.control);
        leave(control(edit(c.control)), {c.result});
        EXPECT_FALSE(column(c.result).isNull());
        EXPECT_EQ(column(c.result).asInteger(), c.expected);
    }
}

TEST_F(FieldTest, FieldsWithoutHandlersRecomputeNothing) {
    for (int n : {1, 2, 7, 14, 16, 17, 160, 162, 173}) {
        SCOPED_TRACE(n);
        leave(control(edit(n)), {"pohledavky", "prodejce", "zem_puda_celkem", "prod01_celk"});
        for (const char *c : {"pohledavky", "prodejce", "zem_puda_celkem", "prod01_celk"})
            EXPECT_TRUE(column(c).isNull()) << c;
    }
}

TEST_F(FieldTest, DoubleClickOnTheCreditComputesIt) {
    TDBEdit *kredit = control(edit(151));
    focus(kredit);
    QTest::mouseDClick(kredit, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(column("kredit").asFloat(), 121.0);
    EXPECT_EQ(kredit->text(), QStringLiteral("121"));
}

TEST_F(FieldTest, TypedTextIsStoredWhenTheFieldIsLeftThenTheHandlerRuns) {
    TDBEdit *hekt = control(edit(38));
    focus(hekt);
    typeInto(hekt, QStringLiteral("12"));
    EXPECT_EQ(q().state(), DataSetState::Edit) << "typing puts the row into editing";
    EXPECT_EQ(column("prod01_hekt").asInteger(), 3) << "stored only when left";
    QTest::keyClick(hekt, Qt::Key_Tab);
    EXPECT_EQ(column("prod01_hekt").asInteger(), 12);
    EXPECT_EQ(column("prod01_celk").asInteger(), 24);
    EXPECT_TRUE(q().modified());
}

TEST_F(FieldTest, AnEmptiedFieldStoresNullAndTheHandlerRuns) {
    typeAndLeave(control(edit(38)), QString());
    EXPECT_TRUE(column("prod01_hekt").isNull());
    EXPECT_EQ(column("prod01_celk").asInteger(), 0);
    EXPECT_FALSE(column("prod01_celk").isNull());
}

TEST_F(FieldTest, ATextTheColumnCannotHoldIsReportedAndTheFocusStays) {
    struct Case {
        int control;
        const char *typed, *message, *columnName, *kept;
    };
    const Case cases[] = {
        {38, "1-2", "'1-2' is not a valid integer value for field 'prod01_hekt'", "prod01_hekt",
         "3"},
        {54, "2,5,5", "'2,5,5' is not a valid floating point value for field 'prod01_nahe'",
         "prod01_nahe", "2"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        TDBEdit *field = control(edit(c.control));
        focus(field);
        clearColumns({"prod01_celk"});
        typeInto(field, QString::fromLatin1(c.typed));
        DialogAnswerer answers({1});
        QTest::keyClick(field, Qt::Key_Tab);
        EXPECT_EQ(answers.texts, QStringList{QString::fromLatin1(c.message)});
        EXPECT_EQ(answers.captions, QStringList{QStringLiteral("Varnok05")});
        EXPECT_EQ(focusAfterDialog(), field->objectName());
        EXPECT_EQ(field->selectedText(), QString::fromLatin1(c.typed));
        EXPECT_EQ(q().fieldByName(QString::fromLatin1(c.columnName)).asString(),
                  QString::fromLatin1(c.kept));
        EXPECT_TRUE(column("prod01_celk").isNull()) << "the handler did not run";
        QTest::keyClick(field, Qt::Key_Escape);
    }
    // Corrected, the field is left normally.
    TDBEdit *hekt = control(edit(38));
    focus(hekt);
    typeInto(hekt, QStringLiteral("7"));
    QTest::keyClick(hekt, Qt::Key_Tab);
    EXPECT_EQ(column("prod01_hekt").asInteger(), 7);
    EXPECT_EQ(column("prod01_celk").asInteger(), 14);
}

TEST_F(FieldTest, KeysTheColumnCannotHoldAreRefused) {
    struct Case {
        int control; // 0: the date edit
        QChar key;
        bool accepted;
    };
    const Case cases[] = {
        {38, u'x', false}, {38, u'5', true},  {38, u'-', true},  {38, u'+', true},
        {38, u',', false}, {38, u'e', false}, {38, u' ', false}, {54, u',', true},
        {54, u'e', true},  {54, u'E', true},  {54, u'.', false}, {54, u'x', false},
        {54, u'7', true},  {1, u'x', true},   {1, u';', true},   {160, u'x', false},
        {0, u'1', true},   {0, u'.', true},   {0, u'x', false},
    };
    for (const Case &c : cases) {
        TDBEdit *field =
            c.control ? control(edit(c.control)) : control(QStringLiteral("JvDBDateEdit1"));
        SCOPED_TRACE(field->objectName().toStdString() + " " + QString(c.key).toStdString());
        focus(field);
        const QString before = field->text();
        field->end(false);
        QTest::keyClicks(field, QString(c.key));
        EXPECT_EQ(field->text(), c.accepted ? before + c.key : before);
        QTest::keyClick(field, Qt::Key_Escape);
        EXPECT_EQ(field->text(), before);
    }
}

TEST_F(FieldTest, ARefusedKeyDoesNotStartEditing) {
    TDBEdit *hekt = control(edit(38));
    focus(hekt);
    QTest::keyClicks(hekt, QStringLiteral("x"));
    EXPECT_EQ(q().state(), DataSetState::Browse);
    EXPECT_EQ(hekt->text(), QStringLiteral("3"));
}

TEST_F(FieldTest, EscPutsTheStoredValueBackAndSelectsIt) {
    TDBEdit *hekt = control(edit(38));
    focus(hekt);
    typeInto(hekt, QStringLiteral("99"));
    QTest::keyClick(hekt, Qt::Key_Escape);
    EXPECT_EQ(hekt->text(), QStringLiteral("3"));
    EXPECT_EQ(hekt->selectedText(), QStringLiteral("3"));
    QTest::keyClick(hekt, Qt::Key_Tab);
    EXPECT_EQ(column("prod01_hekt").asInteger(), 3);
}

TEST_F(FieldTest, ReadOnlyFieldsRefuseEveryChange) {
    for (int n : {5, 6, 15, 57, 167, 172}) {
        TDBEdit *field = control(edit(n));
        SCOPED_TRACE(n);
        const QString before = field->text();
        focus(field);
        QTest::keyClicks(field, QStringLiteral("12"));
        QTest::keyClick(field, Qt::Key_Backspace);
        EXPECT_EQ(field->text(), before);
    }
    EXPECT_EQ(q().state(), DataSetState::Browse);
    EXPECT_EQ(column("ico").asString(), QStringLiteral("123"));
}

TEST_F(FieldTest, NumberFieldsAreRightAlignedWhileNotFocused) {
    TDBEdit *hekt = control(edit(38));
    TDBEdit *name = control(edit(1));
    focus(name);
    EXPECT_TRUE(hekt->alignment() & Qt::AlignRight);
    EXPECT_TRUE(name->alignment() & Qt::AlignLeft);
    focus(hekt);
    EXPECT_TRUE(hekt->alignment() & Qt::AlignLeft);
    focus(name);
    EXPECT_TRUE(name->alignment() & Qt::AlignLeft);
    EXPECT_TRUE(hekt->alignment() & Qt::AlignRight);
}

TEST_F(FieldTest, FractionsUseTheDecimalComma) {
    typeAndLeave(control(edit(54)), QStringLiteral("2,5"));
    EXPECT_DOUBLE_EQ(column("prod01_nahe").asFloat(), 2.5);
    EXPECT_EQ(control(edit(54))->text(), QStringLiteral("2,5"));
    EXPECT_EQ(column("prod01_celk").asInteger(), 7);
}

TEST_F(FieldTest, TheFieldsFollowTheRow) {
    TDBEdit *zavazky = control(edit(166));
    EXPECT_EQ(zavazky->text(), QStringLiteral("5"));
    q().edit();
    column("zavazky").setAsInteger(77);
    EXPECT_EQ(zavazky->text(), QStringLiteral("77"));
    q().close();
    EXPECT_EQ(zavazky->text(), QString());
}

TEST_F(FieldTest, LosingTheWindowToADialogStoresNothing) {
    TDBEdit *hekt = control(edit(38));
    focus(hekt);
    typeInto(hekt, QStringLiteral("55"));
    DialogAnswerer answers({1});
    form().pozor->ShowModal();
    EXPECT_EQ(answers.texts.size(), 1);
    EXPECT_EQ(column("prod01_hekt").asInteger(), 3);
    EXPECT_EQ(hekt->text(), QStringLiteral("55"));
    EXPECT_TRUE(column("prod01_celk").isNull());
}

TEST_F(FieldTest, WithoutAnOpenRowFieldsAreEmptyAndTypingDoesNothing) {
    q().close();
    TDBEdit *hekt = control(edit(38));
    DialogAnswerer none({});
    focus(hekt);
    QTest::keyClicks(hekt, QStringLiteral("5x"));
    EXPECT_EQ(hekt->text(), QString());
    QTest::keyClick(hekt, Qt::Key_Tab);
    auto *memo = control<TDBMemo>(QStringLiteral("suiDBMemo1"));
    focus(memo);
    QTest::keyClicks(memo, QStringLiteral("abc"));
    EXPECT_EQ(memo->toPlainText(), QString());
    QTest::keyClick(memo, Qt::Key_Tab);
    QTest::mouseDClick(control(edit(151)), Qt::LeftButton);
    EXPECT_EQ(none.texts, QStringList()) << "no handler runs without a row";
    EXPECT_FALSE(q().active());
}

TEST_F(FieldTest, NotesAreStoredWhenLeftWithWindowsLineBreaks) {
    auto *memo = control<TDBMemo>(QStringLiteral("suiDBMemo1"));
    focus(memo);
    QTest::keyClicks(memo, QStringLiteral("prvni"));
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, QStringLiteral("druha"));
    EXPECT_TRUE(column("pozn_zajisteni").isNull());
    QTest::keyClick(memo, Qt::Key_Tab);
    EXPECT_EQ(column("pozn_zajisteni").asString(), QStringLiteral("prvni\r\ndruha"));
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("prvni\ndruha"));
    // Esc in a note puts the stored text back.
    focus(memo);
    QTest::keyClicks(memo, QStringLiteral("xyz"));
    QTest::keyClick(memo, Qt::Key_Escape);
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("prvni\ndruha"));
}

TEST_F(FieldTest, TheDateIsTypedClearedAndChecked) {
    auto *date = control<TDBDateEdit>(QStringLiteral("JvDBDateEdit1"));
    typeAndLeave(date, QStringLiteral("1.4.2017"));
    EXPECT_EQ(column("priznani").asDate(), QDate(2017, 4, 1));
    typeAndLeave(date, QString());
    EXPECT_TRUE(column("priznani").isNull());
    EXPECT_EQ(date->text(), QString());
    DialogAnswerer answers({1});
    typeAndLeave(date, QStringLiteral("32.13.2017"));
    EXPECT_EQ(answers.texts, QStringList{QStringLiteral("'32.13.2017' is not a valid date")});
    EXPECT_EQ(focusAfterDialog(), QStringLiteral("JvDBDateEdit1"));
    EXPECT_TRUE(column("priznani").isNull());
}

TEST_F(FieldTest, TheCalendarMarksWeekendsAndSetsTheDate) {
    auto *date = control<TDBDateEdit>(QStringLiteral("JvDBDateEdit1"));
    focus(control(edit(173)));
    QString title;
    bool weekendMarked = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<CalendarDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        QCalendarWidget *c = dialog->calendar();
        weekendMarked = c->weekdayTextFormat(Qt::Saturday).foreground() !=
                            c->weekdayTextFormat(Qt::Monday).foreground() &&
                        c->weekdayTextFormat(Qt::Sunday).foreground() !=
                            c->weekdayTextFormat(Qt::Monday).foreground();
        c->setSelectedDate(QDate(2017, 5, 12));
        dialog->accept();
    });
    QTest::mouseClick(date->calendarButton(), Qt::LeftButton);
    EXPECT_EQ(title, QStringLiteral("Datum přiznání kreditu"));
    EXPECT_TRUE(weekendMarked);
    EXPECT_EQ(date->text(), QStringLiteral("12.5.2017"));
    EXPECT_EQ(focusAfterDialog(), QStringLiteral("JvDBDateEdit1"));
    QTest::keyClick(date, Qt::Key_Tab);
    EXPECT_EQ(column("priznani").asDate(), QDate(2017, 5, 12));
}

TEST_F(FieldTest, YearTabsCallTheHandlerOnlyOnARealChange) {
    QTabBar *roky = form().roky;
    ASSERT_EQ(roky->tabText(roky->currentIndex()), QStringLiteral("2017"));
    fx->statements.clear();
    QTest::mouseClick(roky, Qt::LeftButton, {}, roky->tabRect(roky->currentIndex()).center());
    roky->setCurrentIndex(7);
    roky->setCurrentIndex(-1);
    EXPECT_EQ(fx->statements, QStringList()) << "no handler ran";
    EXPECT_EQ(roky->currentIndex(), 1);
    // A real change opens the year; declining to generate it returns to 2017.
    DialogAnswerer answers({2});
    QTest::mouseClick(roky, Qt::LeftButton, {}, roky->tabRect(2).center());
    EXPECT_FALSE(fx->statements.isEmpty());
    EXPECT_EQ(answers.texts.size(), 1);
    EXPECT_EQ(roky->currentIndex(), 1);
}

TEST_F(FieldTest, AClickOnAYearTabLeavesTheFieldFirst) {
    TDBEdit *zavazky = control(edit(166));
    focus(zavazky);
    typeInto(zavazky, QStringLiteral("44"));
    DialogAnswerer answers({2, 2});
    QTest::mouseClick(form().roky, Qt::LeftButton, {}, form().roky->tabRect(2).center());
    EXPECT_EQ(column("zavazky").asInteger(), 44);
    EXPECT_EQ(column("pohledavky").asInteger(), 44 + 0) << "its handler ran";
    ASSERT_FALSE(answers.texts.isEmpty());
    EXPECT_EQ(answers.texts.first(), QStringLiteral("POZOR - zjištěny neuložené změny!"));
    EXPECT_EQ(form().roky->currentIndex(), 1) << "zpět keeps the year";
}

TEST_F(FieldTest, SwitchingThePageWithATextTheColumnCannotHoldComesBackToIt) {
    TDBEdit *hekt = control(edit(38));
    focus(hekt);
    typeInto(hekt, QStringLiteral("1-2"));
    DialogAnswerer answers({1, 1});
    QTabBar *pageTabs = form().suiPageControl1->tabBar();
    QTest::mouseClick(pageTabs, Qt::LeftButton, {}, pageTabs->tabRect(0).center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return form().suiPageControl1->currentIndex() == 2; }))
        << "the field's page comes back";
    EXPECT_EQ(answers.texts, QStringList{QStringLiteral(
                                 "'1-2' is not a valid integer value for field 'prod01_hekt'")})
        << "reported once";
    EXPECT_EQ(focusAfterDialog(), QStringLiteral("suiDBEdit38"));
    EXPECT_EQ(hekt->text(), QStringLiteral("1-2"));
    EXPECT_EQ(column("prod01_hekt").asInteger(), 3);
}

TEST_F(FieldTest, SwitchingThePageLeavesTheFieldAndFocusesTheNewPage) {
    TDBEdit *hekt = control(edit(38));
    focus(hekt);
    typeInto(hekt, QStringLiteral("5"));
    QTabBar *pageTabs = form().suiPageControl1->tabBar();
    QTest::mouseClick(pageTabs, Qt::LeftButton, {}, pageTabs->tabRect(3).center());
    EXPECT_EQ(column("prod01_hekt").asInteger(), 5);
    EXPECT_EQ(column("prod01_celk").asInteger(), 10);
    QWidget *focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    EXPECT_TRUE(form().suiPageControl1->widget(3)->isAncestorOf(focused))
        << focusName().toStdString();
}
