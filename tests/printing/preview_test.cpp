// The preview window (offscreen), the painter renderer and the wait
// cursor.
#include "printing/engineerror.h"
#include "printing/exportfilter.h"
#include "printing/pageview.h"
#include "printing/pdfexport.h"
#include "printing/preview.h"
#include "printing/render.h"
#include "printing/report.h"
#include "printing/templatexml.h"
#include "printing/waitcursor.h"
#include "tests/printing/samplerow.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCursor>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace varnok;
using namespace varnok::report;
using varnok::printing::PageView;
using varnok::printing::PreviewWindow;

namespace {

Template twoPages() {
    QByteArray xml = R"(<varnokReport>
      <page><text x="0" y="0" w="100" h="10" size="20">První strana [nazevpodni]</text></page>
      <page><text x="0" y="50" w="100" h="10" size="20">Druhá strana [psc]</text></page>
    </varnokReport>)";
    QBuffer b(&xml);
    b.open(QIODevice::ReadOnly);
    return readTemplate(b, QStringLiteral("preview"));
}

struct Prepared {
    Prepared() {
        report.templ() = twoPages();
        report.setDataSet(&row);
        EXPECT_TRUE(report.prepareReport());
    }
    MemoryDataSet row = test::sampleRow();
    Report report;
};

// Runs f once the modal preview is up, then closes it.
void whenPreviewShown(const std::function<void(PreviewWindow &)> &f) {
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, f] {
        if (auto *w = qobject_cast<PreviewWindow *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            f(*w);
            w->accept();
        }
    });
    timer->start();
}

class FakeSpreadsheetExport : public ExportFilter {
public:
    QString description() const override { return QStringLiteral("Tabulka"); }
    bool exportReport(const PreparedReport &r) override {
        pages = int(r.pages.size());
        return true;
    }
    int pages = 0;
};

QStringList menuTexts(QMenu *menu) {
    emit menu->aboutToShow();
    QStringList texts;
    for (QAction *a : menu->actions())
        texts << a->text();
    return texts;
}

} // namespace

TEST(Preview, OpensModallyAndClosesFromATimer) {
    Prepared p;
    bool seen = false;
    whenPreviewShown([&](PreviewWindow &w) {
        seen = true;
        EXPECT_TRUE(w.isModal());
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Náhled tisku"));
        EXPECT_EQ(w.pageCount(), 2);
        EXPECT_EQ(w.currentPage(), 1);
    });
    PreviewWindow w(p.report);
    EXPECT_EQ(w.exec(), QDialog::Accepted);
    EXPECT_TRUE(seen);
}

TEST(Preview, NavigationZoomAndFind) {
    Prepared p;
    PreviewWindow w(p.report);
    w.show();
    auto *view = w.findChild<PageView *>(QStringLiteral("pageView"));
    ASSERT_TRUE(view);
    EXPECT_EQ(view->page(), &p.report.preparedPages().pages[0]);

    w.setPage(5);
    EXPECT_EQ(w.currentPage(), 2);
    w.setPage(0);
    EXPECT_EQ(w.currentPage(), 1);
    w.findChild<QAction *>(QStringLiteral("actionNextPage"))->trigger();
    EXPECT_EQ(w.currentPage(), 2);
    w.findChild<QAction *>(QStringLiteral("actionFirstPage"))->trigger();
    EXPECT_EQ(w.currentPage(), 1);

    w.setZoomPercent(100);
    const QSize at100 = view->size();
    w.setZoomPercent(200);
    EXPECT_NEAR(view->width() - 2 * PageView::kBorder, 2 * (at100.width() - 2 * PageView::kBorder),
                2);
    w.zoomWholePage();
    EXPECT_LT(view->height(), w.height()); // the whole page fits
    w.zoomPageWidth();
    EXPECT_GT(w.zoomPercent(), 0);

    // Finding moves to the page with the text and highlights it; the same
    // text again goes on to the next hit, wrapping round.
    EXPECT_TRUE(w.findNext(QStringLiteral("druhá")));
    EXPECT_EQ(w.currentPage(), 2);
    EXPECT_EQ(view->highlights().size(), 1u);
    EXPECT_TRUE(w.findNext(QStringLiteral("strana")));
    EXPECT_EQ(w.currentPage(), 2);
    EXPECT_TRUE(w.findNext(QStringLiteral("strana")));
    EXPECT_EQ(w.currentPage(), 1);
    EXPECT_FALSE(w.findNext(QStringLiteral("nikde")));
    EXPECT_TRUE(view->highlights().empty());
}

TEST(Preview, ExportMenuListsTheExportsThatExist) {
    Prepared p;
    QTemporaryDir dir;
    QStringList errors;
    ScopedEngineErrorHandler capture([&errors](const QString &m) { errors << m; });
    PdfExport pdf;
    pdf.FileName = dir.filePath(QStringLiteral("zadost.pdf")); // held from an earlier export
    PreviewWindow w(p.report);
    {
        FakeSpreadsheetExport sheet;
        const QStringList texts = menuTexts(w.exportMenu());
        EXPECT_TRUE(texts.contains(QStringLiteral("Soubor PDF")));
        EXPECT_TRUE(texts.contains(QStringLiteral("Tabulka")));
        for (QAction *a : w.exportMenu()->actions())
            if (a->text() == u"Tabulka")
                a->trigger();
        EXPECT_EQ(sheet.pages, 2);
    }
    QStringList texts = menuTexts(w.exportMenu());
    EXPECT_FALSE(texts.contains(QStringLiteral("Tabulka")));
    // The PDF entry writes the held file without asking.
    for (QAction *a : w.exportMenu()->actions())
        if (a->text() == u"Soubor PDF")
            a->trigger();
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
    QFile f(pdf.FileName);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("%PDF-"));
}

TEST(Render, PageDrawsTextWhereTheLayoutPutIt) {
    Prepared p;
    const PreparedPage &page = p.report.preparedPages().pages[0];
    QImage image(int(page.size.width()), int(page.size.height()), QImage::Format_RGB32);
    image.setDotsPerMeterX(2835); // 72 dpi: one pixel per point
    image.setDotsPerMeterY(2835);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        renderPage(painter, page);
    }
    const TextRun &run = std::get<TextRun>(page.items[0]);
    // Ink along the baseline inside the run, none far right of it.
    int inked = 0, beyond = 0;
    for (int x = 0; x < image.width(); ++x)
        for (int y = int(run.origin.y()) - 12; y <= int(run.origin.y()); ++y) {
            const bool ink = qGray(image.pixel(x, y)) < 128;
            if (ink && x >= run.origin.x() && x <= run.origin.x() + run.width)
                ++inked;
            if (ink && x > run.origin.x() + run.width + 3)
                ++beyond;
        }
    EXPECT_GT(inked, 100);
    EXPECT_EQ(beyond, 0);
}

TEST(Render, ReportToAPagedDevice) {
    Prepared p;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("printed.pdf"));
    {
        QPdfWriter writer(path);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        renderReport(writer, p.report.preparedPages());
    }
    QProcess info;
    info.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    ASSERT_TRUE(info.waitForFinished(60000));
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("První strana Zemědělské"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Druhá strana 591 01"))) << text.toStdString();
}

TEST(WaitCursor, NestsAndRestores) {
    ASSERT_EQ(WaitCursor::count(), 0);
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    WaitCursor::stop(); // at 0: nothing
    EXPECT_EQ(WaitCursor::count(), 0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    WaitCursor::start();
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    WaitCursor::start();
    EXPECT_EQ(WaitCursor::count(), 2);
    WaitCursor::stop();
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr); // still nested
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    WaitCursor::stop();
    EXPECT_EQ(WaitCursor::count(), 0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr); // restored
    WaitCursor::stop();
    EXPECT_EQ(WaitCursor::count(), 0);

    // A cursor set before is what comes back.
    QGuiApplication::setOverrideCursor(QCursor(Qt::CrossCursor));
    WaitCursor::start();
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    WaitCursor::stop();
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
    QGuiApplication::restoreOverrideCursor();
}
