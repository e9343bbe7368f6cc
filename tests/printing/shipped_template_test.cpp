// The shipped template with the shipped caption file over a full row, in
// both languages: it prepares, every caption comes from the caption file,
// nothing leaves the printable area, and the figures print whole. The
// PDFs are left in the test directory (zadost-cj.pdf, zadost-nj.pdf) for
// a look.
#include "printing/pdfexport.h"
#include "printing/printcommand.h"
#include "printing/report.h"
#include "tests/printing/decimalcomma.h"
#include "tests/printing/samplerow.h"
#include "texts/textfile.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace varnok;
using namespace varnok::report;

namespace {

const QString kTemplate = QStringLiteral(VARNOK_SOURCE_DIR "/resources/zadost.fr3");
const QString kCaptions = QStringLiteral(VARNOK_SOURCE_DIR "/resources/texty.txt");

struct Printed {
    PreparedReport pages;
    QString text; // pdftotext of the exported file
};

Printed print(const QString &language) {
    Printed out;
    const MemoryDataSet row = test::sampleRow();
    Report report;
    report.loadFromFile(kTemplate);
    report.setDataSet(&row);
    printing::setCaptionVariables(report, readTextLines(kCaptions), language);
    report.setVariable(QStringLiteral("rok1"), QStringLiteral("'2016'"));
    report.setVariable(QStringLiteral("rok2"), QStringLiteral("'2017'"));
    if (!report.prepareReport())
        return out;
    out.pages = report.preparedPages();
    PdfExport pdf;
    pdf.DefaultPath = QCoreApplication::applicationDirPath();
    pdf.FileName = QStringLiteral("zadost-%1.pdf").arg(language);
    if (!report.exportTo(pdf))
        return out;
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-layout"), pdf.FileName, QStringLiteral("-")});
    p.waitForFinished(60000);
    out.text = QString::fromUtf8(p.readAllStandardOutput());
    out.text.replace(QChar(0x00A0), u' ');
    return out;
}

class ShippedTemplate : public ::testing::Test {
protected:
    test::DecimalComma comma;
};

} // namespace

TEST_F(ShippedTemplate, EveryCaptionIsAVariable) {
    Report report;
    ASSERT_TRUE(report.loadFromFile(kTemplate));
    ASSERT_EQ(report.templ().pages.size(), 2u);
    for (int n = 1; n <= 99; ++n)
        EXPECT_TRUE(report.hasVariable(QStringLiteral("txt_%1").arg(n, 2, 10, QLatin1Char('0'))))
            << n;
    EXPECT_TRUE(report.hasVariable(QStringLiteral("rok1")));
    EXPECT_TRUE(report.hasVariable(QStringLiteral("rok2")));
    // Outside the expressions a text holds no words: a German print is
    // German throughout.
    const QRegularExpression expression(QStringLiteral("\\[[^\\]]*\\]"));
    for (const Page &page : report.templ().pages)
        for (const ReportObject &o : page.objects)
            if (const auto *t = std::get_if<TextObject>(&o)) {
                QString literal = t->text;
                literal.remove(expression);
                EXPECT_FALSE(literal.contains(QRegularExpression(QStringLiteral("\\p{L}"))))
                    << t->text.toStdString();
            }
}

TEST_F(ShippedTemplate, PrintsInBothLanguages) {
    struct {
        const char *language;
        const char16_t *title;
        const char16_t *caption;
    } cases[] = {
        {"cj", u"Žádost o přiznání kreditu 2017", u"Posouzení kreditu"},
        {"nj", u"Antrag auf Kreditgewährung 2017", u"Kreditbeurteilung"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.language);
        const Printed p = print(QString::fromLatin1(c.language));
        ASSERT_EQ(p.pages.pages.size(), 2u);
        EXPECT_TRUE(p.text.contains(QString::fromUtf16(c.title))) << p.text.toStdString();
        EXPECT_TRUE(p.text.contains(QString::fromUtf16(c.caption)));
        // The figures and texts of the row print whole.
        for (const char16_t *value :
             {u"Zemědělské družstvo Žďár nad Sázavou, družstvo", u"objednavky@zdzdar.cz",
              u"7 711 500", u"8 240 000", u"5 445 000,00", u"39 975 600", u"14.3.2017",
              u"Pojištění úrody", u"pro jarní setí."})
            EXPECT_TRUE(p.text.contains(QString::fromUtf16(value)))
                << QString::fromUtf16(value).toStdString();
        // Nothing outside the printable area (14 mm at the sides, 10 at
        // the bottom).
        for (const PreparedPage &page : p.pages.pages)
            for (const DrawItem &item : page.items)
                if (const auto *run = std::get_if<TextRun>(&item)) {
                    EXPECT_GE(run->origin.x(), mmToPt(14) - 0.01) << run->text.toStdString();
                    EXPECT_LE(run->origin.x() + run->width, page.size.width() - mmToPt(14) + 0.01)
                        << run->text.toStdString();
                    EXPECT_LE(run->origin.y(), page.size.height() - mmToPt(10))
                        << run->text.toStdString();
                }
    }
}
