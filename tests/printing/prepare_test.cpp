// Laying out pages: golden cases of template objects + variables + row →
// the texts at their positions (baseline start in mm from the page's
// corner, rounded to 0.1 mm), and properties of the layout itself.
#include "printing/dataset.h"
#include "printing/fontmetrics.h"
#include "printing/prepare.h"
#include "printing/templatexml.h"
#include "tests/printing/decimalcomma.h"

#include <QBuffer>
#include <gtest/gtest.h>

using namespace varnok;
using namespace varnok::report;

namespace {

struct Golden {
    const char *name;
    const char *objects; // page content of a template with 10 mm margins
    std::vector<std::pair<const char16_t *, const char16_t *>> variables;
    const char16_t *expected; // "text@x,y" per run, separated by '|'
};

const Golden kGolden[] = {
    {"left, top", R"(<text x="0" y="0" w="50" h="6">Ahoj</text>)", {}, u"Ahoj@10.8,13.3"},
    {"right-aligned number with thousands",
     R"(<text x="20" y="10" w="30" h="5" align="right" format="n0">[prodej01]</text>)",
     {},
     u"1 850 000@43.5,23.3"},
    {"centred caption",
     R"(<text x="0" y="0" w="100" h="8" size="14" bold="1" align="center" valign="center">[txt_77] [rok2]</text>)",
     {{u"txt_77", u"'Žádost o přiznání kreditu'"}, {u"rok2", u"'2013'"}},
     u"Žádost o přiznání kreditu 2013@24.5,15.3"},
    {"word wrap",
     R"(<text x="0" y="0" w="40" h="30" size="9" wrap="1">[pozn]</text>)",
     {},
     u"Zajištění blankosměnkou s@10.8,13.0|avalem statutárních@10.8,16.7|zástupců.@10.8,20.3"},
    {"justified",
     R"(<text x="0" y="0" w="40" h="30" size="9" wrap="1" align="justify">[pozn]</text>)",
     {},
     u"Zajištění@10.8,13.0|blankosměnkou@24.1,13.0|s@47.6,13.0|avalem@10.8,16.7|statutárních@32.6,"
     u"16.7|"
     u"zástupců.@10.8,20.3"},
    {"bottom and own line breaks",
     R"(<text x="0" y="0" w="60" h="20" valign="bottom">[a]</text>)",
     {{u"a", u"'první' + 'x'"}},
     u"prvníx@10.8,28.5"},
    {"CR LF variable keeps its lines",
     R"(<text x="0" y="0" w="60" h="20" valign="bottom">[a]</text>)",
     {{u"a", u"první\r\ndruhý"}},
     u"první@10.8,24.4|druhý@10.8,28.5"},
    {"too long without wrap is cut",
     R"(<text x="0" y="0" w="25" h="6">[nazev]</text>)",
     {},
     u"Zemědělské dr@10.8,13.3"},
    {"shrinks to fit",
     R"(<text x="0" y="0" w="25" h="6" shrink="1">[nazev]</text>)",
     {},
     u"Zemědělské družstvo Žďár@10.8,12.0"},
    {"lines beyond the box are dropped",
     R"(<text x="0" y="0" w="40" h="8" size="9" wrap="1">[pozn]</text>)",
     {},
     u"Zajištění blankosměnkou s@10.8,13.0"},
    {"date and page",
     R"(<text x="0" y="0" w="80" h="6">[txt_89] [Page]/[TotalPages#], [Date]</text>)",
     {{u"txt_89", u"'Seite'"}},
     u"Seite 1/1, 14.3.2017@10.8,13.3"},
};

MemoryDataSet row() {
    MemoryDataSet ds;
    ds.set(QStringLiteral("prodej01"), 1850000);
    ds.set(QStringLiteral("nazev"), QStringLiteral("Zemědělské družstvo Žďár"));
    ds.set(QStringLiteral("pozn"),
           QStringLiteral("Zajištění blankosměnkou s avalem statutárních zástupců."));
    return ds;
}

Template templateWith(const char *objects) {
    QByteArray xml = QByteArray("<varnokReport><page>") + objects + "</page></varnokReport>";
    QBuffer b(&xml);
    b.open(QIODevice::ReadOnly);
    return readTemplate(b, QStringLiteral("golden"));
}

QString describe(const PreparedPage &page) {
    QStringList runs;
    for (const DrawItem &item : page.items) {
        if (const auto *t = std::get_if<TextRun>(&item)) {
            QString text = t->text;
            text.replace(QChar(0x00A0), u' ');
            runs << QStringLiteral("%1@%2,%3")
                        .arg(text)
                        .arg(t->origin.x() / kPointsPerMm, 0, 'f', 1)
                        .arg(t->origin.y() / kPointsPerMm, 0, 'f', 1);
        }
    }
    return runs.join(u'|');
}

PrepareOptions fixedClock() {
    PrepareOptions o;
    o.printedAt = QDateTime(QDate(2017, 3, 14), QTime(9, 30));
    return o;
}

} // namespace

TEST(Prepare, GoldenCases) {
    const test::DecimalComma comma;
    const MemoryDataSet ds = row();
    for (const Golden &g : kGolden) {
        SCOPED_TRACE(g.name);
        Template t = templateWith(g.objects);
        for (const auto &[name, value] : g.variables)
            t.variables.push_back({QString::fromUtf16(name), QString::fromUtf16(value)});
        const PreparedReport r = prepareReport(t, &ds, fixedClock());
        ASSERT_EQ(r.pages.size(), 1u);
        EXPECT_EQ(describe(r.pages[0]).toStdString(), QString::fromUtf16(g.expected).toStdString());
    }
}

TEST(Prepare, RunsStayInsideTheirBoxAndAlignExactly) {
    const MemoryDataSet ds = row();
    const Template t = templateWith(
        R"(<text x="20" y="10" w="30" h="5" align="right" format="n0">[prodej01]</text>)"
        R"(<text x="20" y="15" w="30" h="5" align="right">7</text>)"
        R"(<text x="0" y="30" w="40" h="30" size="9" wrap="1" align="justify">[pozn]</text>)");
    const PreparedReport r = prepareReport(t, &ds);
    std::vector<const TextRun *> runs;
    for (const DrawItem &item : r.pages[0].items)
        if (const auto *run = std::get_if<TextRun>(&item))
            runs.push_back(run);
    ASSERT_GE(runs.size(), 4u);
    // Right-aligned figures end on the same x, the box edge less padding.
    const double right = mmToPt(10 + 20 + 30 - 0.8);
    EXPECT_NEAR(runs[0]->origin.x() + runs[0]->width, right, 1e-6);
    EXPECT_NEAR(runs[1]->origin.x() + runs[1]->width, right, 1e-6);
    // The width of every run is what the PDF font measures.
    for (const TextRun *run : runs)
        EXPECT_DOUBLE_EQ(run->width, FontMetrics::instance().width(run->font, run->text));
    // A justified line fills the box: the last word of its first line ends
    // at the right edge.
    const TextRun *lastWord = runs[2];
    for (const TextRun *run : runs)
        if (run->origin.y() == runs[2]->origin.y())
            lastWord = run;
    EXPECT_NE(lastWord, runs[2]);
    EXPECT_NEAR(lastWord->origin.x() + lastWord->width, mmToPt(10 + 40 - 0.8), 1e-6);
}

TEST(Prepare, FrameFillAndShapes) {
    const Template t = templateWith(
        R"(<text x="0" y="0" w="50" h="10" frame="ltrb" frame-width="1" fill="#eeeeee">a</text>)"
        R"(<text x="0" y="20" w="50" h="10" frame="b">b</text>)"
        R"(<line x1="0" y1="40" x2="190" y2="40" width="2"/>)"
        R"(<rect x="0" y="50" w="10" h="10" fill="#ff0000" line-width="0"/>)");
    const PreparedReport r = prepareReport(t, nullptr);
    const auto &items = r.pages[0].items;
    ASSERT_EQ(items.size(), 7u);
    EXPECT_TRUE(std::holds_alternative<FillItem>(items[0])); // fill below the text
    EXPECT_TRUE(std::holds_alternative<TextRun>(items[1]));
    ASSERT_TRUE(std::holds_alternative<RectItem>(items[2])); // full frame on top
    EXPECT_EQ(std::get<RectItem>(items[2]).rect,
              QRectF(mmToPt(10), mmToPt(10), mmToPt(50), mmToPt(10)));
    EXPECT_TRUE(std::holds_alternative<TextRun>(items[3]));
    ASSERT_TRUE(std::holds_alternative<LineItem>(items[4])); // bottom side only
    EXPECT_DOUBLE_EQ(std::get<LineItem>(items[4]).from.y(), mmToPt(40));
    EXPECT_DOUBLE_EQ(std::get<LineItem>(items[5]).width, 2);
    ASSERT_TRUE(std::holds_alternative<FillItem>(items[6])); // no outline
    EXPECT_EQ(std::get<FillItem>(items[6]).color, QColor(255, 0, 0));
}

TEST(Prepare, PagesFollowTheTemplate) {
    Template t = templateWith(R"(<text x="0" y="0" w="50" h="6">[Page]/[TotalPages]</text>)");
    Page landscape = t.pages[0];
    landscape.orientation = Orientation::Landscape;
    t.pages.push_back(landscape);
    const PreparedReport r = prepareReport(t, nullptr);
    ASSERT_EQ(r.pages.size(), 2u);
    EXPECT_NEAR(r.pages[0].size.width(), 595.3, 0.1); // A4 portrait
    EXPECT_NEAR(r.pages[1].size.width(), 841.9, 0.1); // A4 landscape
    EXPECT_EQ(std::get<TextRun>(r.pages[1].items[0]).text, QStringLiteral("2/2"));
}

TEST(Prepare, EmptyTemplateGivesOneBlankPage) {
    const PreparedReport r = prepareReport(Template(), nullptr);
    ASSERT_EQ(r.pages.size(), 1u);
    EXPECT_TRUE(r.pages[0].items.empty());
    EXPECT_NEAR(r.pages[0].size.height(), 841.9, 0.1);
}

// Sizes no real template has, as a hand-edited one may: preparing ends,
// and keeps at most the lines the text has.
TEST(Prepare, AbsurdSizesEndWithinTheText) {
    const MemoryDataSet ds = row();
    const char *const cases[] = {
        R"(<text x="0" y="0" w="60" h="20" size="0" wrap="1">[pozn]</text>)",
        R"(<text x="0" y="0" w="60" h="1e300" wrap="1">[pozn]</text>)",
        R"(<text x="0" y="0" w="60" h="20" size="1e300" shrink="1">[pozn]</text>)",
        R"(<text x="0" y="0" w="60" h="20" size="1e6" shrink="1" wrap="1">[pozn]</text>)",
        R"(<text x="0" y="0" w="60" h="20" size="-4" shrink="1" wrap="1">[pozn]</text>)",
    };
    for (const char *objects : cases) {
        SCOPED_TRACE(objects);
        const PreparedReport r = prepareReport(templateWith(objects), &ds);
        ASSERT_EQ(r.pages.size(), 1u);
        const QString runs = describe(r.pages[0]);
        EXPECT_LE(runs.count(u'|'), 7) << runs.toStdString(); // the text has 7 words
    }
}
