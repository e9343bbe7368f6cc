// The template file and the report's own operations: round trip, files
// that are not templates, a missing template, variables.
#include "common/error.h"
#include "printing/preparedxml.h"
#include "printing/report.h"
#include "printing/templatexml.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace varnok;
using namespace varnok::report;

namespace {

Template everyFeature() {
    Template t;
    t.variables = {{QStringLiteral("txt_01"), QStringLiteral("'Název „firmy“ & <spol.>'")},
                   {QStringLiteral("rok2"), QStringLiteral("'2013'")},
                   {QStringLiteral("memo"), QStringLiteral("first\r\nsecond")},
                   {QStringLiteral("empty"), QString()}};
    Page p;
    p.name = QStringLiteral("Page1");
    p.margins = {12.5, 10, 8, 15};
    TextObject a;
    a.name = QStringLiteral("Title");
    a.rect = QRectF(1.5, 2.25, 120, 9);
    a.text = QStringLiteral("[txt_01] [rok2]\r\n  two spaces, tab\tand ]brackets[");
    a.font = {QStringLiteral("Times New Roman"), 14.5, true, true};
    a.hAlign = HAlign::Justify;
    a.vAlign = VAlign::Bottom;
    a.wordWrap = true;
    a.shrinkToFit = true;
    a.numberFormat = QStringLiteral("n2");
    a.frame = {true, false, true, true, 1.25, QColor(10, 20, 30)};
    a.fill = QColor(0xee, 0xee, 0xee);
    a.color = QColor(0x10, 0x32, 0x96);
    a.paddingX = 1.5;
    a.paddingY = 0;
    TextObject b;
    b.rect = QRectF(0, 20, 50, 5);
    b.text = QStringLiteral("plain");
    LineObject l{QStringLiteral("Rule"), QPointF(0, 30), QPointF(190, 30), 1.5, QColor(Qt::red)};
    RectObject r{QString(), QRectF(0, 40, 190, 20), 0, Qt::black, QColor(Qt::yellow)};
    p.objects = {a, b, l, r};
    Page landscape;
    landscape.paper = QStringLiteral("A5");
    landscape.size = paperSize(QStringLiteral("A5"));
    landscape.orientation = Orientation::Landscape;
    t.pages = {p, landscape};
    return t;
}

Template readBytes(const QByteArray &bytes) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return readTemplate(buffer, QStringLiteral("/x/zadost.fr3"));
}

QString errorOf(const QByteArray &bytes) {
    try {
        readBytes(bytes);
    } catch (const Error &e) {
        return e.message();
    }
    return QString();
}

} // namespace

TEST(TemplateFile, RoundTripKeepsEverything) {
    const Template t = everyFeature();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    writeTemplate(buffer, t);
    EXPECT_TRUE(readBytes(bytes) == t) << bytes.constData();
    // Readable: attributes that keep their defaults are left out.
    EXPECT_TRUE(bytes.contains("<text x=\"0\" y=\"20\" w=\"50\" h=\"5\">plain</text>"))
        << bytes.constData();
}

TEST(TemplateFile, ThroughTheReportAndAFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zadost.fr3"));
    Report report;
    report.templ() = everyFeature();
    report.saveToFile(path);
    Report again;
    EXPECT_TRUE(again.loadFromFile(path));
    EXPECT_TRUE(again.templ() == everyFeature());
}

TEST(TemplateFile, FilesThatAreNotTemplates) {
    struct {
        const char *content;
        const char16_t *part;
    } cases[] = {
        {"", u"soubor je prázdný"},
        {"object frxReport1: TfrxReport\n  Version = '4.5'\nend\n", u"chyba XML na řádku 1"},
        {"<?xml version=\"1.0\"?><TfrxReport Version=\"4.5\"/>", u"není to šablona Varnok05"},
        {"<varnokReport><page><text x=\"a\">t</text></page></varnokReport>",
         u"atribut „x“ není číslo"},
        {"<varnokReport><page><circle/></page></varnokReport>", u"neznámý prvek stránky „circle“"},
        {"<varnokReport><page><text x=\"0\" size=\"nan\">t</text></page></varnokReport>",
         u"atribut „size“ není číslo"},
        {"<varnokReport><page margins=\"0 inf 0 0\"/></varnokReport>", u"atribut „margins“"},
        {"<varnokReport><page><text align=\"middle\"/></page></varnokReport>",
         u"„align“ má neznámou hodnotu"},
        {"<varnokReport><page>", u"chyba XML"},
        {"<varnokReport version=\"2\"/>", u"novější verze"},
        {"<varnokReport/><varnokReport/>", u"chyba XML"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.content);
        const QString message = errorOf(QByteArray(c.content));
        EXPECT_TRUE(
            message.startsWith(QStringLiteral("Soubor „%1“ není platná šablona sestavy: ")
                                   .arg(QDir::toNativeSeparators(QStringLiteral("/x/zadost.fr3")))))
            << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromUtf16(c.part))) << message.toStdString();
    }
}

TEST(TemplateFile, MissingTemplateLeavesAnEmptyReport) {
    QTemporaryDir dir;
    Report report;
    report.templ() = everyFeature();
    EXPECT_FALSE(report.loadFromFile(dir.filePath(QStringLiteral("zadost.fr3"))));
    EXPECT_TRUE(report.templ().isEmpty());
    // Asked to, a missing file is an error.
    EXPECT_THROW(report.loadFromFile(dir.filePath(QStringLiteral("zadost.fr3")), true), Error);
}

TEST(TemplateFile, UnreadableTemplateIsAFileError) {
    QTemporaryDir dir;
    // A directory where the file should be cannot be opened, even by root.
    const QString path = dir.filePath(QStringLiteral("zadost.fr3"));
    QDir().mkpath(path);
    Report report;
    report.templ() = everyFeature();
    try {
        report.loadFromFile(path);
        ADD_FAILURE() << "no error";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().startsWith(
            QStringLiteral("Cannot open file \"%1\". ").arg(QDir::toNativeSeparators(path))))
            << e.what();
    }
    EXPECT_TRUE(report.templ().isEmpty()); // loading cleared it first
}

TEST(TemplateFile, BadTemplateLeavesTheReportEmpty) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zadost.fr3"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a template");
    f.close();
    Report report;
    report.templ() = everyFeature();
    EXPECT_THROW(report.loadFromFile(path), Error);
    EXPECT_TRUE(report.templ().isEmpty());
}

TEST(ReportVariables, SetAddsOrReplacesWithoutRegardToCase) {
    Report report;
    report.templ().variables = {{QStringLiteral("TXT_01"), QStringLiteral("'template'")},
                                {QStringLiteral("keep"), QStringLiteral("'kept'")}};
    report.setVariable(QStringLiteral("txt_01"), QStringLiteral("'new'"));
    report.setVariable(QStringLiteral("rok1"), QStringLiteral("'2012'"));
    ASSERT_EQ(report.templ().variables.size(), 3u);
    EXPECT_EQ(report.templ().variables[0].name,
              QStringLiteral("TXT_01")); // the template's name stays
    EXPECT_EQ(report.variable(QStringLiteral("Txt_01")), QStringLiteral("'new'"));
    EXPECT_EQ(report.variable(QStringLiteral("KEEP")), QStringLiteral("'kept'"));
    EXPECT_EQ(report.variable(QStringLiteral("rok1")), QStringLiteral("'2012'"));
    report.clear();
    EXPECT_TRUE(report.templ().isEmpty());
    EXPECT_FALSE(report.hasVariable(QStringLiteral("rok1")));
}

TEST(PreparedFile, SavedReportOpensAsPrinted) {
    Report report;
    report.templ() = everyFeature();
    std::get<TextObject>(report.templ().pages[0].objects[0]).text =
        QStringLiteral("[txt_01] [rok2]\r\nzweite Zeile");
    report.setVariable(QStringLiteral("txt_01"), QStringLiteral("'Řádek <1> & \"uvozovky\"'"));
    ASSERT_TRUE(report.prepareReport());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zadost.fp3"));
    savePrepared(path, report.preparedPages());
    EXPECT_TRUE(loadPrepared(path) == report.preparedPages());

    QFile other(dir.filePath(QStringLiteral("zadost.fr3")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    writeTemplate(other, everyFeature());
    other.close();
    try {
        loadPrepared(other.fileName());
        ADD_FAILURE() << "no error";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("není to uložená sestava Varnok05")))
            << e.what();
    }
}
