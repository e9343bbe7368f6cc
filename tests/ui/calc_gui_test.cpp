// A recomputation seen through the window: typing into a production field
// and pressing Enter updates every figure that depends on it at once.
#include "records/query.h"
#include "tests/support/dialogs.h"
#include "tests/support/formfixture.h"
#include "ui/dbedit.h"

#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace varnok;
using namespace varnok::test;

namespace {

TDBEdit *fieldOf(TForm1 &form, const QString &column) {
    for (TDBEdit *e : form.findChildren<TDBEdit *>())
        if (e->dataField() == column)
            return e;
    return nullptr;
}

} // namespace

TEST(CalcThroughTheWindow, EnterInAnAreaFieldUpdatesRowTotalsAndCreditPage) {
    VARNOK_REQUIRE_SERVER();
    FormFixture fx;
    fx.db().exec(QStringLiteral(
        "insert into zadost_kredit (ico, rok, nazevpodni, prod03_nahe, prod03_cena, plan03_pv, "
        "prod01_suma, zavazky) values ('123', 2017, 'Statek', 2.3, 450, 100, 1000, 5000)"));
    {
        DialogAnswerer none({});
        fx.create({QStringLiteral("123"), QStringLiteral("2017")});
        fx.show();
    }
    TForm1 &form = fx.form();
    form.findChild<QTabWidget *>(QStringLiteral("suiPageControl1"))->setCurrentIndex(2);
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    TDBEdit *hekt = fieldOf(form, QStringLiteral("prod03_hekt"));
    ASSERT_NE(hekt, nullptr);
    hekt->setFocus();
    QTest::keyClicks(hekt, QStringLiteral("10"));
    QTest::keyClick(hekt, Qt::Key_Return);

    struct Shown {
        const char *column;
        const char *text;
    };
    const Shown shown[] = {
        {"prod03_celk", "22"},   // 10 × 2,3 truncated at extended precision
        {"prod03_suma", "9900"}, // 22 × 450
        {"plan03", "45000"},     // 100 × 450
        {"prodce_hekt", "10"},   {"prodce_celk", "22"},  {"prodce_suma", "10900"},
        {"plance_pv", "100"},    {"plance", "45000"},    {"produkce", "10900"},
        {"nakup", "45000"},      {"pohledavky", "5000"}, {"zajisteni", "900"},
        {"zajisteni2", "218"},
    };
    for (const Shown &s : shown) {
        TDBEdit *e = fieldOf(form, QString::fromLatin1(s.column));
        ASSERT_NE(e, nullptr) << s.column;
        EXPECT_EQ(e->text(), QString::fromLatin1(s.text)) << s.column;
    }
    EXPECT_TRUE(fieldOf(form, QStringLiteral("prod01_nahe"))->hasFocus() ||
                fieldOf(form, QStringLiteral("prod04_hekt"))->hasFocus())
        << "Enter moves on like Tab";
}
