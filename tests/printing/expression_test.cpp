// Expressions of text objects: variables, dataset columns, literals with
// quotes inside, errors. Each case prepares a one-object report, so the
// evaluator is exercised exactly as a print uses it.
#include "common/error.h"
#include "printing/dataset.h"
#include "printing/prepare.h"
#include "tests/printing/decimalcomma.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace varnok;
using namespace varnok::report;

namespace {

struct Case {
    const char *name;
    std::vector<std::pair<const char16_t *, const char16_t *>> variables;
    const char16_t *text;     // content of the text object
    const char16_t *expected; // the printed text (runs joined by '|'), or
    const char16_t *error;    // a part of the error message
};

MemoryDataSet row() {
    MemoryDataSet ds;
    ds.set(QStringLiteral("nazevpodni"), QStringLiteral("Družstvo Žďár"));
    ds.set(QStringLiteral("prodej01"), 1500);
    ds.set(QStringLiteral("prodej02"), 250);
    ds.set(QStringLiteral("kredit"), 1234.5);
    ds.set(QStringLiteral("psc"), QVariant()); // NULL
    ds.set(QStringLiteral("priznani"), QDate(2013, 4, 2));
    return ds;
}

// The texts of all runs of the first page, joined by '|'.
QString printed(const PreparedReport &r) {
    QStringList texts;
    for (const DrawItem &item : r.pages.at(0).items)
        if (const auto *t = std::get_if<TextRun>(&item))
            texts << t->text;
    return texts.join(u'|');
}

Template oneText(const QString &text) {
    Template t;
    Page p;
    TextObject o;
    o.name = QStringLiteral("Memo1");
    o.rect = QRectF(0, 0, 180, 40);
    o.text = text;
    p.objects.emplace_back(o);
    t.pages.push_back(p);
    return t;
}

const Case kCases[] = {
    {"variable", {{u"rok2", u"'2013'"}}, u"[rok2]", u"2013", nullptr},
    {"names ignore case", {{u"Rok2", u"'2013'"}}, u"[ROK2] [rok2]", u"2013 2013", nullptr},
    {"literal text around",
     {{u"txt_77", u"'Žádost'"}, {u"rok2", u"'2013'"}},
     u"<< [txt_77] [rok2] >>",
     u"<< Žádost 2013 >>",
     nullptr},
    {"quote inside a caption",
     {{u"txt_01", u"'Firma's name'"}},
     u"[txt_01]",
     u"Firma's name",
     nullptr},
    {"several quotes inside", {{u"t", u"'Rock 'n' roll'"}}, u"[t]", u"Rock 'n' roll", nullptr},
    {"caption ending in a quote", {{u"t", u"'abc''"}}, u"[t]", u"abc'", nullptr},
    {"caption of two quotes", {{u"t", u"''''"}}, u"[t]", u"''", nullptr},
    {"empty caption", {{u"t", u"''"}}, u"a[t]b", u"ab", nullptr},
    {"empty value", {{u"t", u""}}, u"a[t]b", u"ab", nullptr},
    {"plus inside a literal", {{u"t", u"'1 + 1'"}}, u"[t]", u"1 + 1", nullptr},
    {"bracket inside a literal", {}, u"['a]b']", u"a]b", nullptr},
    {"concatenation", {{u"a", u"'x'"}, {u"b", u"'y'"}}, u"[a + ' - ' + b]", u"x - y", nullptr},
    {"nested variables",
     {{u"a", u"b + ' ' + c"}, {u"b", u"'Antrag'"}, {u"c", u"rok2"}, {u"rok2", u"'2013'"}},
     u"[a]",
     u"Antrag 2013",
     nullptr},
    {"CR LF value is literal", {{u"m", u"'x' + y\r\nsecond"}}, u"[m]", u"'x' + y|second", nullptr},
    {"number literal", {}, u"[12 + 30]", u"42", nullptr},
    {"parentheses", {{u"a", u"'x'"}}, u"[(a + 'y') + 'z']", u"xyz", nullptr},
    {"column quoted", {}, u"[frxDBDataset1.\"nazevpodni\"]", u"Družstvo Žďár", nullptr},
    {"column in angle brackets",
     {},
     u"[<frxDBDataset1.\"nazevpodni\">]",
     u"Družstvo Žďár",
     nullptr},
    {"bare column any case", {}, u"[NAZEVPODNI]", u"Družstvo Žďár", nullptr},
    {"variable in angle brackets", {{u"rok2", u"'2013'"}}, u"[<rok2>]", u"2013", nullptr},
    {"numbers add", {}, u"[prodej01 + prodej02]", u"1750", nullptr},
    {"number and text join", {}, u"[prodej01 + ' Kč']", u"1500 Kč", nullptr},
    {"fraction with the decimal comma", {}, u"[kredit]", u"1234,5", nullptr},
    {"NULL column prints nothing", {}, u"a[psc]b", u"ab", nullptr},
    {"date column", {}, u"[priznani]", u"2.4.2013", nullptr},
    {"page numbers", {}, u"[Page] / [TotalPages#]", u"1 / 1", nullptr},
    {"missing variable", {}, u"[txt_99]", nullptr, u"„txt_99“"},
    {"missing column", {}, u"[frxDBDataset1.\"nic\"]", nullptr, u"nemá pole „nic“"},
    {"unknown dataset",
     {},
     u"[frxDBDataset2.\"nazevpodni\"]",
     nullptr,
     u"Neznámá datová sada „frxDBDataset2“"},
    {"variable referring to itself", {{u"a", u"a"}}, u"[a]", nullptr, u"odkazuje sama na sebe"},
    {"loop through two variables",
     {{u"a", u"'x' + b"}, {u"b", u"A"}},
     u"[a]",
     nullptr,
     u"odkazuje sama na sebe"},
    {"unclosed bracket", {{u"rok2", u"'2013'"}}, u"[rok2", nullptr, u"chybí „]“"},
    {"unclosed literal", {{u"a", u"'abc"}}, u"[a]", nullptr, u"neukončený řetězec"},
    {"empty brackets", {}, u"[]", nullptr, u"prázdný výraz"},
    {"two operands without operator", {}, u"[12 13]", nullptr, u"očekávám „+“"},
};

class Expressions : public ::testing::Test {
protected:
    test::DecimalComma comma;
};

} // namespace

TEST_F(Expressions, Table) {
    const MemoryDataSet ds = row();
    for (const Case &c : kCases) {
        SCOPED_TRACE(c.name);
        Template t = oneText(QString::fromUtf16(c.text));
        for (const auto &[name, value] : c.variables)
            t.variables.push_back({QString::fromUtf16(name), QString::fromUtf16(value)});
        if (c.error) {
            try {
                prepareReport(t, &ds);
                ADD_FAILURE() << "no error";
            } catch (const Error &e) {
                EXPECT_TRUE(e.message().contains(QString::fromUtf16(c.error))) << e.what();
                // The message names the object it comes from.
                EXPECT_TRUE(e.message().startsWith(QStringLiteral("Objekt „Memo1“ (strana 1)")))
                    << e.what();
            }
        } else {
            EXPECT_EQ(printed(prepareReport(t, &ds)).toStdString(),
                      QString::fromUtf16(c.expected).toStdString());
        }
    }
}

TEST_F(Expressions, ClosedDataSetIsAnErrorWhenNamed) {
    const QueryDataSet closed; // no query: not open
    EXPECT_THROW(prepareReport(oneText(QStringLiteral("[frxDBDataset1.\"ico\"]")), &closed), Error);
    try {
        prepareReport(oneText(QStringLiteral("[frxDBDataset1.\"ico\"]")), &closed);
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("není otevřena"))) << e.what();
    }
}

TEST_F(Expressions, NumberFormatGroupsThousands) {
    const MemoryDataSet ds = row();
    struct {
        const char16_t *format;
        const char16_t *text;
        const char16_t *expected;
    } cases[] = {
        {u"n0", u"[prodej01]", u"1\u00a0500"},
        {u"n2", u"[kredit]", u"1\u00a0234,50"},
        {u"n0", u"[12345678 + 0]", u"12\u00a0345\u00a0678"},
        {u"n0", u"[nazevpodni]", u"Družstvo Žďár"}, // texts stay as they are
        {u"n0", u"x[psc]", u"x"},                   // NULL prints nothing
        {u"", u"[prodej01]", u"1500"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.text).toStdString());
        Template t = oneText(QString::fromUtf16(c.text));
        std::get<TextObject>(t.pages[0].objects[0]).numberFormat = QString::fromUtf16(c.format);
        EXPECT_EQ(printed(prepareReport(t, &ds)).toStdString(),
                  QString::fromUtf16(c.expected).toStdString());
    }
    EXPECT_EQ(formatGrouped(-1234567.891, 2), QStringLiteral("-1\u00a0234\u00a0567,89"));
    EXPECT_EQ(formatGrouped(-0.001, 2), QStringLiteral("0,00"));
}

// A hand-edited template must neither overflow the stack nor hang or
// exhaust memory while printing: past its limits an expression is an
// error like any other.
TEST_F(Expressions, LimitsOfHandEditedTemplates) {
    const MemoryDataSet ds = row();
    struct {
        const char *name;
        QString text;
        std::vector<Variable> variables;
        const char16_t *error; // nullptr: prints
    } cases[] = {
        {"64 parentheses", u'[' + QString(64, u'(') + u'1' + QString(64, u')') + u']', {}, nullptr},
        {"100000 parentheses",
         u'[' + QString(100000, u'(') + u'1' + QString(100000, u')') + u']',
         {},
         u"závorky jsou vnořeny"},
        {"each variable uses the next twice", QStringLiteral("[v0]"), {}, u"příliš složitý"},
        {"text over a million characters",
         QStringLiteral("[big + big]"),
         {{QStringLiteral("big"), u'\'' + QString(600000, u'x') + u'\''}},
         u"delší než"},
    };
    for (int i = 0; i < 40; ++i)
        cases[2].variables.push_back(
            {QStringLiteral("v%1").arg(i), QStringLiteral("v%1 + v%1").arg(i + 1)});
    cases[2].variables.push_back({QStringLiteral("v40"), QStringLiteral("'x'")});
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Template t = oneText(c.text);
        t.variables = c.variables;
        if (!c.error) {
            EXPECT_EQ(printed(prepareReport(t, &ds)), QStringLiteral("1"));
            continue;
        }
        try {
            prepareReport(t, &ds);
            ADD_FAILURE() << "no error";
        } catch (const Error &e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf16(c.error))) << e.what();
        }
    }
}
