// The spreadsheet export: cells from positions, numbers, the workbook read
// back by unzipping it, the dialog without an overwrite question, errors
// and the preview's export menu.
#include "printing/engineerror.h"
#include "printing/exports/mailexport.h"
#include "printing/exports/sheetlayout.h"
#include "printing/exports/xlsexport.h"
#include "printing/pdfexport.h"
#include "printing/preview.h"
#include "tests/designer/whenmodal.h"
#include "tests/exports/shippedreport.h"
#include "tests/exports/xlsx_reader.h"
#include "tests/printing/decimalcomma.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace varnok;
using namespace varnok::exports;
using namespace varnok::report;
using varnok::test::whenModal;

namespace {

TextRun run(double x, double y, const QString &text, double size = 10, bool bold = false) {
    TextRun t;
    t.origin = QPointF(x, y);
    t.text = text;
    t.font.size = size;
    t.font.bold = bold;
    t.width = text.size() * size * 0.5;
    return t;
}

const SheetCell *cellWithText(const SheetLayout &l, const QString &text) {
    for (const SheetCell &c : l.cells)
        if (c.text == text)
            return &c;
    return nullptr;
}

TEST(SheetLayout, RowsFromBaselinesColumnsFromBoxes) {
    test::DecimalComma comma;
    PreparedReport r;
    PreparedPage p;
    p.size = QSizeF(595, 842);
    // A box with a label and a right-aligned value, a filled header bar,
    // and a free text on the label's line.
    p.items.emplace_back(FillItem{QRectF(20, 20, 400, 20), QColor(0x1f, 0x3a, 0x73)});
    p.items.emplace_back(run(25, 34, QStringLiteral("Hlavička"), 12, true));
    p.items.emplace_back(RectItem{QRectF(20, 45, 150, 30), 0.5, Qt::black});
    p.items.emplace_back(run(22, 52, QStringLiteral("Půda celkem"), 6));
    TextRun value = run(0, 70, QStringLiteral("2 285"), 10);
    value.origin.setX(168 - value.width);
    p.items.emplace_back(value);
    p.items.emplace_back(run(300, 52.5, QStringLiteral("vpravo")));
    // Far below: an empty row is kept between.
    p.items.emplace_back(run(22, 200, QStringLiteral("1,5")));
    r.pages.push_back(p);
    r.pages.push_back(p); // a second page starts after the first one's rows

    const SheetLayout l = layoutSheet(r, SheetOptions());
    const SheetCell *head = cellWithText(l, QStringLiteral("Hlavička"));
    const SheetCell *label = cellWithText(l, QStringLiteral("Půda celkem"));
    const SheetCell *number = cellWithText(l, QStringLiteral("2 285"));
    const SheetCell *right = cellWithText(l, QStringLiteral("vpravo"));
    const SheetCell *decimal = cellWithText(l, QStringLiteral("1,5"));
    ASSERT_TRUE(head && label && number && right && decimal);

    EXPECT_EQ(head->row, 0);
    EXPECT_EQ(head->fill, QColor(0x1f, 0x3a, 0x73));
    EXPECT_TRUE(head->font.bold);
    EXPECT_EQ(label->row, 1);
    EXPECT_EQ(right->row, 1); // same line within 2 points
    EXPECT_EQ(number->row, 2);
    EXPECT_EQ(number->column, label->column); // one box, one column
    EXPECT_GT(right->column, label->column);
    EXPECT_TRUE(number->isNumber);
    EXPECT_EQ(number->number, 2285);
    EXPECT_TRUE(number->grouped);
    EXPECT_TRUE(number->alignRight);
    EXPECT_FALSE(label->isNumber);
    EXPECT_EQ(decimal->row, 4); // after one empty row
    EXPECT_DOUBLE_EQ(decimal->number, 1.5);
    EXPECT_EQ(decimal->decimals, 1);
    ASSERT_EQ(l.pageStarts.size(), 2u);
    EXPECT_EQ(l.pageStarts[1], 5);
    EXPECT_EQ(l.cells.size(), 10u);

    // As text, and without the empty rows and fills.
    const SheetLayout plain = layoutSheet(r, SheetOptions{true, false, true, false});
    EXPECT_FALSE(cellWithText(plain, QStringLiteral("2 285"))->isNumber);
    EXPECT_EQ(cellWithText(plain, QStringLiteral("1,5"))->row, 3);
    EXPECT_FALSE(cellWithText(plain, QStringLiteral("Hlavička"))->fill.isValid());
}

TEST(SheetLayout, TableColumnsFollowTheirLinesInsideARowBox) {
    test::DecimalComma comma;
    PreparedReport r;
    PreparedPage p;
    // A table row: one box over the whole width, columns split by lines,
    // two right-aligned amounts of different widths per column.
    for (int i = 0; i < 2; ++i) {
        const double top = 100 + i * 20;
        p.items.emplace_back(RectItem{QRectF(20, top, 500, 20), 0.5, Qt::black});
        p.items.emplace_back(LineItem{QPointF(300, top), QPointF(300, top + 20), 0.5, Qt::black});
        p.items.emplace_back(LineItem{QPointF(410, top), QPointF(410, top + 20), 0.5, Qt::black});
        p.items.emplace_back(
            run(24, top + 14, i ? QStringLiteral("Tržby") : QStringLiteral("Nákup")));
        const QString a = i ? QStringLiteral("80 500") : QStringLiteral("1 120 000");
        const QString b = i ? QStringLiteral("74 200") : QStringLiteral("1 240 000");
        TextRun ra = run(0, top + 14, a), rb = run(0, top + 14, b);
        ra.origin.setX(406 - ra.width);
        rb.origin.setX(516 - rb.width);
        p.items.emplace_back(ra);
        p.items.emplace_back(rb);
    }
    r.pages.push_back(p);
    const SheetLayout l = layoutSheet(r, SheetOptions());
    ASSERT_EQ(l.cells.size(), 6u);
    const SheetCell *small = cellWithText(l, QStringLiteral("80 500"));
    const SheetCell *large = cellWithText(l, QStringLiteral("1 120 000"));
    const SheetCell *last = cellWithText(l, QStringLiteral("74 200"));
    ASSERT_TRUE(small && large && last);
    EXPECT_EQ(small->column, large->column);
    EXPECT_EQ(last->column, small->column + 1);
    EXPECT_EQ(cellWithText(l, QStringLiteral("Tržby"))->column, small->column - 1);
    EXPECT_TRUE(small->isNumber && small->alignRight);
    EXPECT_EQ(small->number, 80500);
    EXPECT_EQ(large->number, 1120000);
}

TEST(SheetLayout, ReadsNumbersAsTheReportPrintsThem) {
    test::DecimalComma comma;
    struct Case {
        const char16_t *text;
        bool number;
        double value;
        int decimals;
        bool grouped;
    };
    const Case cases[] = {
        {u"2285", true, 2285, 0, false},
        {u"2 285", true, 2285, 0, true},
        {u"2\u00a0285,50", true, 2285.5, 2, true},
        {u"-1 234 567", true, -1234567, 0, true},
        {u"0,25", true, 0.25, 2, false},
        {u"0", true, 0, 0, false},
        {u"46345701", true, 46345701, 0, false},
        {u"01234", false, 0, 0, false},  // a code keeps its zero
        {u"591 01", false, 0, 0, false}, // a postal code
        {u"12,5 %", false, 0, 0, false},
        {u"1.5", false, 0, 0, false}, // not the decimal comma
        {u"1234567890123456", false, 0, 0, false},
        {u"2013/2014", false, 0, 0, false},
        {u"", false, 0, 0, false},
    };
    for (const Case &c : cases) {
        double v = -1;
        int d = -1;
        bool g = false;
        const QString text = QString::fromUtf16(c.text);
        ASSERT_EQ(readNumber(text, &v, &d, &g), c.number) << text.toStdString();
        if (c.number) {
            EXPECT_DOUBLE_EQ(v, c.value) << text.toStdString();
            EXPECT_EQ(d, c.decimals) << text.toStdString();
            EXPECT_EQ(g, c.grouped) << text.toStdString();
        }
    }
}

class XlsExportTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QMap<QString, test::XlsxCell> exported(XlsExport &x) {
        EXPECT_TRUE(x.exportReport(sample.report.preparedPages()));
        return test::readFirstSheet(x.FileName);
    }

    test::DecimalComma comma; // as the window sets it, before preparing
    QTemporaryDir dir;
    test::ShippedReport sample;
};

TEST_F(XlsExportTest, ShippedReportCellsReadBack) {
    XlsExport x;
    x.ShowDialog = false;
    x.DefaultPath = dir.path();
    x.FileName = QStringLiteral("zadost.xlsx");
    const auto cells = exported(x);
    EXPECT_EQ(x.FileName, dir.filePath(QStringLiteral("zadost.xlsx"))); // the full path
    const QString shots = qEnvironmentVariable("VARNOK_SHOTS");
    if (!shots.isEmpty()) { // the workbook to look at
        QDir().mkpath(shots);
        QFile::remove(shots + QStringLiteral("/zadost.xlsx"));
        QFile::copy(x.FileName, shots + QStringLiteral("/zadost.xlsx"));
    }
    ASSERT_FALSE(cells.isEmpty());

    // The title in column A, below the company number printed above it
    // at the right.
    QString titleRef;
    for (auto it = cells.begin(); it != cells.end() && titleRef.isEmpty(); ++it)
        if (it->text == u"Žádost o kredit 2013")
            titleRef = it.key();
    int titleCol = -1, titleRow = -1;
    test::cellPosition(titleRef, &titleCol, &titleRow);
    EXPECT_EQ(titleCol, 0);
    EXPECT_LE(titleRow, 1);
    // The label and the value of the company number box: one column, the
    // number as a number.
    QString labelRef, icoRef, totalRef;
    for (auto it = cells.begin(); it != cells.end(); ++it) {
        if (it->text == u"IČO" && labelRef.isEmpty())
            labelRef = it.key();
        if (it->text == u"46345701")
            icoRef = it.key();
        if (it->text == u"2285")
            totalRef = it.key();
    }
    ASSERT_FALSE(labelRef.isEmpty());
    ASSERT_FALSE(icoRef.isEmpty());
    EXPECT_TRUE(cells.value(icoRef).isNumber);
    int labelCol, labelRow, icoCol, icoRow;
    test::cellPosition(labelRef, &labelCol, &labelRow);
    test::cellPosition(icoRef, &icoCol, &icoRow);
    EXPECT_EQ(icoCol, labelCol);
    EXPECT_EQ(icoRow, labelRow + 1);
    // A grouped total ("2 285") is the number 2285.
    ASSERT_FALSE(totalRef.isEmpty());
    EXPECT_TRUE(cells.value(totalRef).isNumber);
    // Texts stay texts: the company name.
    bool nameFound = false;
    for (const auto &c : cells)
        nameFound = nameFound ||
                    (!c.isNumber && c.text == sample.row.fieldText(QStringLiteral("nazevpodni")));
    EXPECT_TRUE(nameFound);
}

TEST_F(XlsExportTest, DialogReplacesAnExistingFileWithoutAsking) {
    const QString path = dir.filePath(QStringLiteral("vystup.xlsx"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("stary obsah");
    }
    int questions = 0;
    whenModal<QMessageBox>([&questions](QMessageBox &box) {
        ++questions;
        box.reject();
    });
    whenModal<QFileDialog>([&path](QFileDialog &d) {
        EXPECT_EQ(d.objectName(), QStringLiteral("xlsExportDialog"));
        EXPECT_TRUE(d.testOption(QFileDialog::DontConfirmOverwrite));
        d.selectFile(path);
        static_cast<QDialog &>(d).accept();
    });
    XlsExport x; // dialog and progress as the preview uses it
    const auto cells = exported(x);
    EXPECT_EQ(questions, 0);
    EXPECT_EQ(x.FileName, path);
    EXPECT_FALSE(cells.isEmpty());
}

TEST_F(XlsExportTest, CancelledDialogWritesNothing) {
    whenModal<QFileDialog>([](QFileDialog &d) { d.reject(); });
    XlsExport x;
    x.DefaultPath = dir.path();
    EXPECT_FALSE(x.exportReport(sample.report.preparedPages()));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(XlsExportTest, UnwritableTargetShowsTheFileError) {
    QStringList errors;
    ScopedEngineErrorHandler handler([&errors](const QString &m) { errors << m; });
    XlsExport x;
    x.ShowDialog = false;
    x.ShowProgress = false;
    x.FileName = dir.filePath(QStringLiteral("chybi/zadost.xlsx"));
    EXPECT_FALSE(x.exportReport(sample.report.preparedPages()));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Cannot create file")))
        << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains(QStringLiteral("chybi"))) << errors[0].toStdString();
}

TEST_F(XlsExportTest, PreviewExportMenuOffersBothExports) {
    XlsExport xls;
    xls.ShowDialog = false;
    xls.FileName = dir.filePath(QStringLiteral("z_nahledu.xlsx"));
    MailExport mail;
    PdfExport pdf; // dopdf, as on the window
    printing::PreviewWindow preview(sample.report);
    preview.resize(1000, 760);
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    QMenu *menu = preview.exportMenu();
    emit menu->aboutToShow();
    QStringList texts;
    for (QAction *a : menu->actions())
        texts << a->text();
    EXPECT_TRUE(texts.contains(xls.description())) << texts.join(u'|').toStdString();
    EXPECT_TRUE(texts.contains(mail.description())) << texts.join(u'|').toStdString();
    EXPECT_TRUE(texts.contains(pdf.description())) << texts.join(u'|').toStdString();

    const QString shots = qEnvironmentVariable("VARNOK_SHOTS");
    if (!shots.isEmpty()) {
        QDir().mkpath(shots);
        menu->popup(preview.mapToGlobal(QPoint(300, 40)));
        QTest::qWait(50);
        EXPECT_TRUE(menu->grab().save(shots + QStringLiteral("/exportmenu.png")));
        EXPECT_TRUE(preview.grab().save(shots + QStringLiteral("/preview.png")));
        menu->hide();
    }

    // The menu is filled afresh whenever it opens.
    emit menu->aboutToShow();
    QAction *xlsAction = nullptr;
    for (QAction *a : menu->actions())
        if (a->text() == xls.description())
            xlsAction = a;
    ASSERT_NE(xlsAction, nullptr);
    xlsAction->trigger();
    EXPECT_FALSE(test::readFirstSheet(xls.FileName).isEmpty());
}

} // namespace
