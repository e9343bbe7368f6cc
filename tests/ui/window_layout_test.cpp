// The main window as described: every field by name with its column,
// width, read-only and tab-stop properties and page; the captioned
// components; the bottom panel; size limits; tab and Enter orders.
#include "common/error.h"
#include "tests/ui/window_fixture.h"
#include "ui/dbdateedit.h"
#include "ui/dbmemo.h"
#include "ui/messagedialog.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>

using namespace varnok;
using namespace varnok::test;

namespace {

struct Expected {
    QString name, column;
    int width;
    bool readOnly, tabStop;
    int page; // 1..4
};

QString edit(int n) {
    return QStringLiteral("suiDBEdit%1").arg(n);
}
QString nn(int row) {
    return QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0'));
}

std::vector<Expected> expectedFields() {
    std::vector<Expected> e{
        // company page
        {edit(1), QStringLiteral("nazevpodni"), 522, false, true, 1},
        {edit(2), QStringLiteral("ulicecislo"), 216, false, true, 1},
        {edit(3), QStringLiteral("posta"), 131, false, true, 1},
        {edit(4), QStringLiteral("psc"), 57, false, true, 1},
        {edit(5), QStringLiteral("ico"), 111, true, true, 1},
        {edit(6), QStringLiteral("kod_platce"), 98, true, true, 1},
        {edit(7), QStringLiteral("kod_par"), 57, false, true, 1},
        {edit(8), QStringLiteral("partner"), 216, false, true, 1},
        {edit(9), QStringLiteral("dealer"), 107, false, true, 1},
        {edit(10), QStringLiteral("telefon"), 111, false, true, 1},
        {edit(11), QStringLiteral("emailobj"), 219, false, true, 1},
        {edit(12), QStringLiteral("zem_puda_vlast"), 41, false, true, 1},
        {edit(13), QStringLiteral("zem_puda_najem"), 41, false, true, 1},
        {edit(15), QStringLiteral("zem_puda_celkem"), 41, true, false, 1},
        {edit(14), QStringLiteral("plateb_moralka"), 42, false, true, 1},
        {edit(16), QStringLiteral("financ_situace"), 42, false, true, 1},
        {edit(17), QStringLiteral("dosav_spoluprace"), 42, false, true, 1},
        // sales totals
        {edit(37), QStringLiteral("prodejce"), 70, true, false, 2},
        {edit(25), QStringLiteral("prodejce_min"), 70, true, false, 2},
        // production totals
        {edit(57), QStringLiteral("prodce_hekt"), 40, true, false, 3},
        {edit(152), QStringLiteral("prodce_celk"), 40, true, false, 3},
        {edit(154), QStringLiteral("prodce_suma"), 70, true, false, 3},
        {edit(155), QStringLiteral("plance_pv"), 40, true, false, 3},
        {edit(156), QStringLiteral("plance"), 70, true, false, 3},
        // credit page
        {edit(166), QStringLiteral("zavazky"), 70, false, true, 4},
        {edit(158), QStringLiteral("prodej_min"), 70, true, false, 4},
        {edit(167), QStringLiteral("prodej"), 70, true, false, 4},
        {edit(168), QStringLiteral("pohledavky"), 70, false, true, 4},
        {edit(160), QStringLiteral("nakup_min"), 70, false, true, 4},
        {edit(169), QStringLiteral("nakup"), 70, true, false, 4},
        {edit(170), QStringLiteral("produkce"), 70, true, false, 4},
        {edit(162), QStringLiteral("zadost_min"), 70, false, true, 4},
        {edit(171), QStringLiteral("zadost"), 70, false, true, 4},
        {edit(172), QStringLiteral("zajisteni"), 70, true, false, 4},
        {edit(173), QStringLiteral("zajisteni2"), 70, false, true, 4},
        {edit(151), QStringLiteral("kredit"), 70, false, false, 4},
        {QStringLiteral("JvDBDateEdit1"), QStringLiteral("priznani"), 87, false, true, 4},
    };
    const int salesThisYear[] = {27, 29, 30, 31, 32, 33, 34, 35, 36, 157, 159};
    const int salesLastYear[] = {18, 21, 24, 26, 28, 19, 20, 22, 23, 153, 161};
    for (int r = 1; r <= 11; ++r) {
        e.push_back(
            {edit(salesThisYear[r - 1]), QStringLiteral("prodej") + nn(r), 70, false, true, 2});
        e.push_back({edit(salesLastYear[r - 1]), QStringLiteral("prodej%1_min").arg(nn(r)), 70,
                     false, true, 2});
    }
    for (int r = 1; r <= 16; ++r) {
        const int i = r - 1;
        e.push_back({edit(38 + i), QStringLiteral("prod%1_hekt").arg(nn(r)), 40, false, true, 3});
        e.push_back({edit(r <= 3 ? 54 + i : 55 + i), QStringLiteral("prod%1_nahe").arg(nn(r)), 40,
                     false, true, 3});
        e.push_back({edit(71 + i), QStringLiteral("prod%1_celk").arg(nn(r)), 40, false, true, 3});
        e.push_back({edit(87 + i), QStringLiteral("prod%1_cena").arg(nn(r)), 50, false, true, 3});
        e.push_back({edit(103 + i), QStringLiteral("prod%1_suma").arg(nn(r)), 70, false, true, 3});
        e.push_back({edit(119 + i), QStringLiteral("plan%1_pv").arg(nn(r)), 40, false, true, 3});
        e.push_back({edit(135 + i), QStringLiteral("plan") + nn(r), 70, false, true, 3});
    }
    return e;
}

int pageOf(QWidget *w) {
    for (QWidget *p = w; p; p = p->parentWidget())
        if (p->objectName().startsWith(QStringLiteral("suiTabSheet")))
            return p->objectName().mid(11).toInt();
    return 0;
}

class LayoutTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        open();
    }
    void press(QWidget *w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(w, key, mods);
    }
    // Walks the focus with the key from the first name and records where
    // it goes.
    QStringList walk(const QStringList &order, Qt::Key key,
                     Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QStringList seen;
        focus(control<QWidget>(order.first()));
        seen << focusName();
        for (int i = 1; i < order.size(); ++i) {
            press(QApplication::focusWidget(), key, mods);
            seen << focusName();
        }
        return seen;
    }
};

} // namespace

TEST_F(LayoutTest, EveryFieldHasItsColumnWidthPropertiesAndPage) {
    const std::vector<Expected> fields = expectedFields();
    EXPECT_EQ(fields.size(), size_t(17 + 24 + 112 + 5 + 13));
    for (const Expected &e : fields) {
        SCOPED_TRACE(e.name.toStdString());
        auto *f = form().findChild<TDBEdit *>(e.name);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->dataField(), e.column);
        EXPECT_EQ(f->width(), e.width);
        EXPECT_EQ(f->isFieldReadOnly(), e.readOnly);
        EXPECT_EQ(f->tabStop(), e.tabStop);
        EXPECT_TRUE(f->focusPolicy() & Qt::ClickFocus) << "a click still focuses it";
        EXPECT_EQ(pageOf(f), e.page);
        EXPECT_EQ(f->dataSource(), form().ZQuery1);
    }
    // No other bound edits.
    EXPECT_EQ(form().findChildren<TDBEdit *>().size(), qsizetype(fields.size()));
}

TEST_F(LayoutTest, MemosAndDateEdit) {
    for (const auto &[name, column] :
         {std::pair{"suiDBMemo1", "pozn_zajisteni"}, std::pair{"suiDBMemo2", "pozn_duvod"}}) {
        auto *m = control<TDBMemo>(QString::fromLatin1(name));
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(m->dataField(), QString::fromLatin1(column));
        EXPECT_EQ(m->size(), QSize(581, 51));
        EXPECT_EQ(pageOf(m), 4);
    }
    auto *d = control<TDBDateEdit>(QStringLiteral("JvDBDateEdit1"));
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->size(), QSize(87, 21));
    EXPECT_EQ(d->dialogTitle(), QStringLiteral("Datum přiznání kreditu"));
    EXPECT_NE(d->calendarButton(), nullptr);
}

TEST_F(LayoutTest, CaptionedComponentsCarryTheirNumbersInCreationOrder) {
    std::map<QString, int> expected;
    for (int i = 1; i <= 17; ++i)
        expected[QStringLiteral("Label%1").arg(i)] = i;
    expected[QStringLiteral("suiGroupBox1")] = 18;
    expected[QStringLiteral("suiGroupBox2")] = 19;
    for (int i = 1; i <= 5; ++i)
        expected[QStringLiteral("suiTabSheet%1").arg(i)] = 19 + i;
    expected[QStringLiteral("suiGroupBox3")] = 25;
    for (int i = 18; i <= 26; ++i)
        expected[QStringLiteral("Label%1").arg(i)] = i + 8;
    for (int i = 27; i <= 29; ++i)
        expected[QStringLiteral("Label%1").arg(i)] = i + 8;
    expected[QStringLiteral("suiGroupBox4")] = 38;
    for (int i = 30; i <= 38; ++i)
        expected[QStringLiteral("Label%1").arg(i)] = i + 10;
    expected[QStringLiteral("Label40")] = 49;
    for (int i = 42; i <= 47; ++i)
        expected[QStringLiteral("Label%1").arg(i)] = i + 8;
    const char *headers[] = {"Label39", "Label53", "Label52", "Label51",
                             "Label50", "Label49", "Label48", "Label41"};
    for (int i = 0; i < 8; ++i)
        expected[QString::fromLatin1(headers[i])] = 56 + i;
    expected[QStringLiteral("suiGroupBox5")] = 64;
    for (int i = 54; i <= 60; ++i)
        expected[QStringLiteral("Label%1").arg(i)] = i + 11;
    expected[QStringLiteral("Label67")] = 72;
    expected[QStringLiteral("Label63")] = 73;
    expected[QStringLiteral("Label64")] = 74;
    expected[QStringLiteral("Label62")] = 75;
    expected[QStringLiteral("Label65")] = 76;
    expected[QStringLiteral("Label66")] = 85;
    expected[QStringLiteral("Label61")] = 86;
    expected[QStringLiteral("Label68")] = 87;
    expected[QStringLiteral("Label69")] = 88;

    const auto &captioned = form().captionedComponents();
    std::map<QString, int> actual;
    for (const auto &c : captioned)
        actual[c.control->objectName()] = c.tag;
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(captioned.size(), expected.size()) << "each component once";

    // Every label of the window carries a caption number.
    for (QLabel *l :
         form().findChildren<QLabel *>(QRegularExpression(QStringLiteral("^Label\\d+$"))))
        EXPECT_TRUE(expected.count(l->objectName())) << l->objectName().toStdString();
    // Creation order: each page before its contents, pages in order; the
    // last sales row (88) before the sales totals label and the later pages.
    const auto index = [&](const char *name) {
        for (size_t i = 0; i < captioned.size(); ++i)
            if (captioned[i].control->objectName() == QString::fromLatin1(name))
                return int(i);
        return -1;
    };
    EXPECT_EQ(index("suiTabSheet1"), 0);
    EXPECT_LT(index("suiGroupBox1"), index("Label1"));
    EXPECT_LT(index("Label17"), index("suiTabSheet2"));
    EXPECT_LT(index("suiTabSheet2"), index("suiGroupBox3"));
    EXPECT_LT(index("Label68"), index("Label69"));
    EXPECT_LT(index("Label69"), index("Label27"));
    EXPECT_LT(index("Label27"), index("suiTabSheet3"));
    EXPECT_LT(index("suiTabSheet3"), index("suiTabSheet4"));
    EXPECT_LT(index("suiTabSheet4"), index("suiTabSheet5"));
}

TEST_F(LayoutTest, TheCaptionFileNamesLabelsGroupBoxesAndPages) {
    const auto text = [&](const char *name) {
        return form().caption(control<QObject>(QString::fromLatin1(name)));
    };
    EXPECT_EQ(text("Label30"), QStringLiteral("Pšenice ozimá"));
    EXPECT_EQ(text("Label53"), QStringLiteral("Plocha ha"));
    EXPECT_EQ(text("Label69"), QStringLiteral("Ostatní zboží"));
    EXPECT_EQ(text("suiGroupBox4"), QStringLiteral(" Rostlinná výroba "));
    EXPECT_EQ(text("suiTabSheet5"), QStringLiteral("Rezerva"));
    QStringList tabs;
    for (int i = 0; i < 4; ++i)
        tabs << form().suiPageControl1->tabText(i);
    EXPECT_EQ(tabs, (QStringList{QStringLiteral("Firma"), QStringLiteral("Prodej"),
                                 QStringLiteral("Produkce"), QStringLiteral("Kredit")}));
    form().setCaption(control<QObject>(QStringLiteral("suiTabSheet2")), QStringLiteral("Tržby"));
    form().setCaption(control<QObject>(QStringLiteral("suiGroupBox5")), QStringLiteral(" Úvěr "));
    form().setCaption(control<QObject>(QStringLiteral("Label30")), QStringLiteral("pšenice"));
    EXPECT_EQ(form().suiPageControl1->tabText(1), QStringLiteral("Tržby"));
    EXPECT_EQ(control<QGroupBox>(QStringLiteral("suiGroupBox5"))->title(),
              QStringLiteral(" Úvěr "));
    EXPECT_EQ(control<QLabel>(QStringLiteral("Label30"))->text(), QStringLiteral("pšenice"));
}

TEST_F(LayoutTest, PagesGroupBoxesAndScrollBoxes) {
    QTabWidget *pages = form().suiPageControl1;
    ASSERT_EQ(pages->count(), 5);
    EXPECT_EQ(pages->currentWidget()->objectName(), QStringLiteral("suiTabSheet3"))
        << "production page first";
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(pages->isTabVisible(i));
    EXPECT_FALSE(pages->isTabVisible(4)) << "the hidden page has no tab";
    EXPECT_EQ(pages->widget(4)->objectName(), QStringLiteral("suiTabSheet5"));
    EXPECT_EQ(control<QGroupBox>(QStringLiteral("suiGroupBox1"))->height(), 162);
    for (const char *name : {"JvScrollBox1", "JvScrollBox2", "JvScrollBox3"}) {
        auto *s = control<QScrollArea>(QString::fromLatin1(name));
        EXPECT_EQ(s->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff) << name;
    }
    EXPECT_EQ(
        control<QScrollArea>(QStringLiteral("JvScrollBox1"))->verticalScrollBar()->singleStep(),
        20);
    EXPECT_EQ(
        control<QScrollArea>(QStringLiteral("JvScrollBox3"))->verticalScrollBar()->singleStep(),
        20);
    // Rows 25 pixels apart; every odd row's label lies on a white band.
    auto *row1 = control<QLabel>(QStringLiteral("Label30"));
    auto *row2 = control<QLabel>(QStringLiteral("Label31"));
    EXPECT_EQ(row2->y() - row1->y(), 25);
    EXPECT_TRUE(row1->property("band").toBool());
    EXPECT_FALSE(row2->property("band").toBool());
    EXPECT_EQ(row1->palette().color(row1->backgroundRole()), QColor(Qt::white));
    EXPECT_EQ(row2->palette().color(row2->backgroundRole()), QColor(208, 218, 249));
    EXPECT_EQ(row2->palette().color(row2->foregroundRole()), QColor(16, 50, 150));
}

TEST_F(LayoutTest, TitleSizeAndLimits) {
    EXPECT_EQ(form().windowTitle(), QStringLiteral("Varnok05 - evidence a revize nároku kreditu"));
    EXPECT_FALSE(form().windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form().windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(form().size(), QSize(636, 437));
    EXPECT_EQ(form().minimumSize(), QSize(90, 46));
    EXPECT_EQ(form().maximumSize(), QSize(643, 632));
    form().resize(1000, 900);
    EXPECT_EQ(form().size(), QSize(643, 632));
    form().resize(10, 10);
    EXPECT_EQ(form().size(), QSize(90, 46));
    form().resize(636, 437);
}

TEST_F(LayoutTest, BottomPanel) {
    QTabBar *roky = form().roky;
    ASSERT_EQ(roky->count(), 3);
    EXPECT_EQ(roky->tabText(0), QStringLiteral("2016"));
    EXPECT_EQ(roky->tabText(2), QStringLiteral("2018"));
    EXPECT_EQ(roky->shape(), QTabBar::RoundedSouth);
    EXPECT_EQ(roky->height(), 24);
    const QPoint rokyAt = roky->mapTo(&form(), QPoint(0, 0));
    EXPECT_EQ(rokyAt.x(), 10);
    EXPECT_EQ(rokyAt.x() + roky->width(), form().width());
    EXPECT_EQ(form().suiImagePanel2->size(), QSize(450, 17));
    EXPECT_EQ(form().suiImagePanel2->text(), QStringLiteral("Statek 2017"));
    EXPECT_FALSE(form().suiCheckBox1->isChecked());
    EXPECT_EQ(form().suiCheckBox1->text(), QStringLiteral("tisk žádost v NJ"));
    EXPECT_EQ(control<QWidget>(QStringLiteral("suiImagePanel1"))->height(), 82);

    const auto right = [&](QWidget *w) {
        return form().width() - (w->mapTo(&form(), QPoint(0, 0)).x() + w->width());
    };
    for (int width : {636, 500, 643}) {
        form().resize(width, 437);
        SCOPED_TRACE(width);
        EXPECT_EQ(right(form().suiImagePanel2), 5);
        EXPECT_EQ(right(form().suiButton1), 25);
        EXPECT_EQ(right(form().suiButton3), 25 + 86);
        EXPECT_EQ(right(form().suiButton2), 25 + 2 * 86);
        EXPECT_EQ(right(roky), 0);
    }
    form().resize(636, 437);
    const std::pair<QPushButton *, const char *> buttons[] = {
        {form().suiButton1, "konec"}, {form().suiButton2, "tisk"}, {form().suiButton3, "uložit"}};
    for (const auto &[b, text] : buttons) {
        EXPECT_EQ(b->text(), QString::fromUtf8(text));
        EXPECT_EQ(b->size(), QSize(80, 27));
    }
    EXPECT_LT(form().suiCheckBox1->x() + form().suiCheckBox1->width(), form().suiButton2->x());
}

TEST_F(LayoutTest, TallerWindowGrowsTheGridsAndKeepsTheTotalsAtTheBottom) {
    auto *scroll = control<QScrollArea>(QStringLiteral("JvScrollBox2"));
    auto *total = control<TDBEdit>(QStringLiteral("suiDBEdit57"));
    auto *box = control<QGroupBox>(QStringLiteral("suiGroupBox4"));
    const int before = scroll->height();
    const int gap = box->height() - total->mapTo(box, QPoint(0, 0)).y();
    form().resize(636, 600);
    QApplication::processEvents();
    EXPECT_EQ(scroll->height(), before + 163);
    EXPECT_EQ(box->height() - total->mapTo(box, QPoint(0, 0)).y(), gap);
    form().resize(636, 437);
}

TEST_F(LayoutTest, DeclaredDialogs) {
    using Icon = TMessageDialog::Icon;
    struct D {
        TMessageDialog *d;
        const char *name, *text, *b1, *b2;
        Icon icon;
    };
    const D dialogs[] = {
        {form().pozor, "pozor", "POZOR - zjištěny neuložené změny!", "pokračovat", "zpět",
         Icon::Warning},
        {form().ulozit, "ulozit", "Uložit částku kreditu do objednávek?", "uložit", "neukládat",
         Icon::Help},
        {form().opravdu, "opravdu", "Opravdu", "generovat", "negenerovat", Icon::Help},
    };
    for (const D &e : dialogs) {
        SCOPED_TRACE(e.name);
        ASSERT_NE(e.d, nullptr);
        EXPECT_EQ(e.d->objectName(), QString::fromLatin1(e.name));
        EXPECT_EQ(e.d->parent(), &form());
        EXPECT_EQ(e.d->Caption, QStringLiteral("Varnok05 - kredity"));
        EXPECT_EQ(e.d->Text, QString::fromUtf8(e.text));
        EXPECT_EQ(e.d->ButtonCount, 2);
        EXPECT_EQ(e.d->Button1Caption, QString::fromUtf8(e.b1));
        EXPECT_EQ(e.d->Button2Caption, QString::fromUtf8(e.b2));
        EXPECT_EQ(e.d->IconType, e.icon);
    }
}

TEST_F(LayoutTest, TabRunsThroughEachPageInItsOrder) {
    QStringList company;
    for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16, 17})
        company << edit(n);
    QStringList sales;
    for (int n : {18, 21, 24, 26, 28, 19, 20, 22,  23,  27,  29,
                  30, 31, 32, 33, 34, 35, 36, 153, 157, 159, 161})
        sales << edit(n);
    QStringList production;
    for (int first : {38, -1, 71, 87, 103, 119, 135})
        for (int r = 0; r < 16; ++r)
            production << edit(first < 0 ? (r < 3 ? 54 + r : 55 + r) : first + r);
    QStringList credit;
    for (int n : {166, 168, 160, 162, 171, 173})
        credit << edit(n);
    credit << QStringLiteral("suiDBMemo1") << QStringLiteral("suiDBMemo2")
           << QStringLiteral("JvDBDateEdit1");

    for (const QStringList &order : {company, sales, production, credit}) {
        SCOPED_TRACE(order.first().toStdString());
        EXPECT_EQ(walk(order, Qt::Key_Tab), order);
        // Enter moves on like Tab in every single-line field, up to the
        // first note, which takes Enter itself.
        const qsizetype memo = order.indexOf(QStringLiteral("suiDBMemo1"));
        const QStringList single = memo < 0 ? order : order.mid(0, memo + 1);
        EXPECT_EQ(walk(single, Qt::Key_Return), single);
        QStringList back = memo < 0 ? order : order.mid(0, memo);
        std::reverse(back.begin(), back.end());
        EXPECT_EQ(walk(back, Qt::Key_Return, Qt::ShiftModifier), back);
    }
}

TEST_F(LayoutTest, EnterCases) {
    struct Case {
        const char *from;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        const char *to;
    };
    const Case cases[] = {
        {"suiDBEdit166", Qt::Key_Return, Qt::NoModifier, "suiDBEdit168"}, // zavazky → pohledavky
        {"suiDBEdit53", Qt::Key_Return, Qt::NoModifier, "suiDBEdit54"}, // prod16_hekt → prod01_nahe
        {"suiDBEdit54", Qt::Key_Return, Qt::ShiftModifier, "suiDBEdit53"},
        {"suiDBEdit53", Qt::Key_Enter, Qt::KeypadModifier, "suiDBEdit54"},
        {"JvDBDateEdit1", Qt::Key_Return, Qt::ShiftModifier, "suiDBMemo2"},
        {"suiDBEdit5", Qt::Key_Return, Qt::NoModifier, "suiDBEdit6"}, // read-only ico is a tab stop
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.from);
        focus(control<QWidget>(QString::fromLatin1(c.from)));
        QTest::keyClick(QApplication::focusWidget(), c.key, c.mods);
        EXPECT_EQ(focusName(), QString::fromLatin1(c.to));
    }
}

TEST_F(LayoutTest, EnterInANoteStartsANewLine) {
    auto *memo = control<TDBMemo>(QStringLiteral("suiDBMemo1"));
    focus(memo);
    QTest::keyClicks(memo, QStringLiteral("ab"));
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, QStringLiteral("cd"));
    EXPECT_EQ(focusName(), QStringLiteral("suiDBMemo1"));
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("ab\ncd"));
}

TEST_F(LayoutTest, OnlyTheShownPageTakesTheFocus) {
    form().suiPageControl1->setCurrentIndex(3);
    auto *prod = control<TDBEdit>(QStringLiteral("suiDBEdit38"));
    prod->setFocus();
    EXPECT_FALSE(prod->hasFocus());
    EXPECT_FALSE(prod->isVisible());
}

namespace {

// The window as created, before it is first shown: no row open, the
// captions of the window description.
class CreatedWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        fx = std::make_unique<FormFixture>();
        DialogAnswerer none({});
        fx->create({QStringLiteral("123"), QStringLiteral("2017")});
    }
    QString text(const char *name) {
        return form().caption(control<QObject>(QString::fromLatin1(name)));
    }
};

} // namespace

TEST_F(CreatedWindowTest, ControlsCarryTheirPlaceholders) {
    for (QLabel *l :
         form().findChildren<QLabel *>(QRegularExpression(QStringLiteral("^Label\\d+$"))))
        EXPECT_EQ(form().caption(l), l->objectName() == QStringLiteral("Label66")
                                         ? QStringLiteral("Datum přiznání žádosti o kredit")
                                         : QStringLiteral("Label1"))
            << l->objectName().toStdString();
    const std::pair<const char *, const char *> boxes[] = {
        {"suiGroupBox1", " Základní údaje o firmě "},
        {"suiGroupBox2", " Přehled o firmě "},
        {"suiGroupBox3", " Základní údaje o firmě "},
        {"suiGroupBox4", " Základní údaje o firmě "},
        {"suiGroupBox5", " Kredit "}};
    for (const auto &[name, title] : boxes)
        EXPECT_EQ(text(name), QString::fromUtf8(title));
    for (int i = 1; i <= 5; ++i) {
        const QByteArray name = QStringLiteral("suiTabSheet%1").arg(i).toLatin1();
        EXPECT_EQ(text(name.constData()), QString::fromLatin1(name));
    }
    EXPECT_EQ(form().suiImagePanel2->text(), QStringLiteral("2013"));
    EXPECT_EQ(form().roky->currentIndex(), 0);
    EXPECT_FALSE(form().ZQuery1->active());
    for (TDBEdit *f : form().findChildren<TDBEdit *>())
        EXPECT_TRUE(f->text().isEmpty() && f->isReadOnly()) << f->objectName().toStdString();
}

TEST_F(CreatedWindowTest, ACaptionFileOf87LinesStopsTheWalkAtLabel69) {
    QFile full(QStringLiteral(VARNOK_SOURCE_DIR "/resources/texty.txt"));
    ASSERT_TRUE(full.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = full.readAll().split('\n');
    ASSERT_GE(lines.size(), 88);
    QFile cut(QStringLiteral("texty.txt")); // the current directory is the program's
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (int i = 0; i < 87; ++i)
        cut.write(lines.at(i) + '\n');
    cut.close();

    QString message;
    try {
        form().preloz(QStringLiteral("cj"));
    } catch (const Error &e) {
        message = e.message();
    }
    EXPECT_EQ(message, QStringLiteral("List index out of bounds (87)"));
    // Set before it in creation order...
    EXPECT_EQ(text("suiTabSheet1"), QStringLiteral("Firma"));
    EXPECT_EQ(text("Label17"), QStringLiteral("Dosavadní spolupráce"));
    EXPECT_EQ(text("suiGroupBox3"), QStringLiteral(" Prodej zboží firmě (Kč) "));
    EXPECT_EQ(text("Label68"), QStringLiteral("Pneumatiky"));
    // ...while it and everything after it keep their placeholders.
    EXPECT_EQ(text("Label69"), QStringLiteral("Label1"));
    EXPECT_EQ(text("Label27"), QStringLiteral("Label1"));
    EXPECT_EQ(text("suiTabSheet3"), QStringLiteral("suiTabSheet3"));
    EXPECT_EQ(text("suiGroupBox4"), QStringLiteral(" Základní údaje o firmě "));
    EXPECT_EQ(text("Label30"), QStringLiteral("Label1"));
    EXPECT_EQ(text("Label66"), QStringLiteral("Datum přiznání žádosti o kredit"));
}
