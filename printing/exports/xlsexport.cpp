#include "printing/exports/xlsexport.h"

#include "common/error.h"
#include "printing/engineerror.h"
#include "printing/exports/exportprogress.h"
#include "printing/fileerrors.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QTemporaryDir>
#include <map>
#include <tuple>
#include <xlsxwriter.h>

namespace varnok::exports {

namespace {

constexpr double kPointsPerCharacter = 5.25; // column width unit of the default font
constexpr int kPaperA4 = 9;
constexpr int kProgressEvery = 100; // cells between progress steps

const char *fontName(report::BaseFont base) {
    switch (base) {
    case report::BaseFont::Times:
        return "Times New Roman";
    case report::BaseFont::Courier:
        return "Courier New";
    case report::BaseFont::Helvetica:
        break;
    }
    return "Arial";
}

lxw_color_t rgb(const QColor &c) {
    return lxw_color_t(c.rgb() & 0xFFFFFF);
}

QByteArray numberFormat(const SheetCell &cell) {
    QByteArray f = cell.grouped ? "#,##0" : "0";
    if (cell.decimals > 0)
        f += '.' + QByteArray(cell.decimals, '0');
    return f;
}

// One format per distinct look; the workbook owns them.
class Formats {
public:
    explicit Formats(lxw_workbook *wb) : m_wb(wb) {}

    lxw_format *of(const SheetCell &cell) {
        const QByteArray nf = cell.isNumber ? numberFormat(cell) : QByteArray();
        const Key key{int(cell.font.base), cell.font.size,
                      cell.font.bold,      cell.font.italic,
                      cell.color.rgba(),   cell.fill.isValid() ? cell.fill.rgba() : 0,
                      cell.alignRight,     nf};
        auto it = m_formats.find(key);
        if (it != m_formats.end())
            return it->second;
        lxw_format *f = workbook_add_format(m_wb);
        format_set_font_name(f, fontName(cell.font.base));
        format_set_font_size(f, cell.font.size);
        if (cell.font.bold)
            format_set_bold(f);
        if (cell.font.italic)
            format_set_italic(f);
        if (cell.color.isValid() && cell.color != QColor(Qt::black))
            format_set_font_color(f, rgb(cell.color));
        if (cell.fill.isValid()) {
            format_set_pattern(f, LXW_PATTERN_SOLID);
            format_set_bg_color(f, rgb(cell.fill));
        }
        if (cell.alignRight)
            format_set_align(f, LXW_ALIGN_RIGHT);
        format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
        if (!nf.isEmpty())
            format_set_num_format(f, nf.constData());
        m_formats.emplace(key, f);
        return f;
    }

private:
    using Key = std::tuple<int, double, bool, bool, QRgb, QRgb, bool, QByteArray>;
    lxw_workbook *m_wb;
    std::map<Key, lxw_format *> m_formats;
};

// Closes the workbook however writing ends; closing is what writes it.
class Workbook {
public:
    explicit Workbook(const QString &path)
        : m_wb(workbook_new(QFile::encodeName(path).constData())) {}
    ~Workbook() {
        if (m_wb)
            workbook_close(m_wb);
    }
    Workbook(const Workbook &) = delete;
    Workbook &operator=(const Workbook &) = delete;
    lxw_workbook *get() const { return m_wb; }
    lxw_error close() {
        const lxw_error e = workbook_close(m_wb);
        m_wb = nullptr;
        return e;
    }

private:
    lxw_workbook *m_wb;
};

} // namespace

QString XlsExport::description() const {
    return QStringLiteral("Sešit Excel (XLSX)…");
}

QString XlsExport::chooseFile() const {
    QFileDialog dialog(dialogParent(), QStringLiteral("Export do sešitu Excel"), DefaultPath,
                       QStringLiteral("Sešit Excel (*.xlsx)"));
    dialog.setObjectName(QStringLiteral("xlsExportDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("xlsx"));
    if (!OverwritePrompt)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(FileName.isEmpty() ? QStringLiteral("zadost.xlsx")
                                         : QFileInfo(FileName).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

bool XlsExport::exportReport(const report::PreparedReport &report) {
    QString path;
    if (ShowDialog) {
        path = chooseFile();
        if (path.isEmpty())
            return false; // the user cancelled
    } else {
        if (FileName.isEmpty()) {
            report::showEngineError(QStringLiteral("Export do sešitu nemá zadaný soubor."));
            return false;
        }
        path = QFileInfo(FileName).isAbsolute() ? FileName : QDir(DefaultPath).filePath(FileName);
    }
    path = QDir::cleanPath(path);
    try {
        ExportProgress progress(ShowProgress, QStringLiteral("Export do sešitu Excel…"));
        const SheetLayout layout =
            layoutSheet(report, SheetOptions{AsText, Background, PageBreaks, EmptyLines});
        if (!progress.step(1, 10) || !writeWorkbook(path, layout, &progress))
            return false;
    } catch (const Error &e) {
        report::showEngineError(e.message());
        return false;
    }
    FileName = path;
    return true;
}

bool XlsExport::writeWorkbook(const QString &path, const SheetLayout &layout,
                              ExportProgress *progress) const {
    QTemporaryDir temp;
    if (!temp.isValid())
        throw report::cannotCreateFile(path, temp.errorString());
    const QString tempPath = temp.filePath(QStringLiteral("export.xlsx"));

    Workbook wb(tempPath);
    if (!wb.get())
        throw report::cannotCreateFile(path, QStringLiteral("nedostatek paměti"));
    lxw_worksheet *ws = workbook_add_worksheet(wb.get(), "Sestava");
    Formats formats(wb.get());

    worksheet_set_paper(ws, kPaperA4);
    worksheet_fit_to_pages(ws, 1, 0); // as wide as one sheet of paper
    for (int c = 0; c < int(layout.columnWidths.size()); ++c)
        worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c),
                             layout.columnWidths[size_t(c)] / kPointsPerCharacter, nullptr);
    for (int r = 0; r < int(layout.rowHeights.size()); ++r)
        worksheet_set_row(ws, lxw_row_t(r), layout.rowHeights[size_t(r)], nullptr);

    const qint64 total = qint64(layout.cells.size()) + 1;
    qint64 done = 0;
    for (const SheetCell &cell : layout.cells) {
        lxw_format *f = formats.of(cell);
        const auto row = lxw_row_t(cell.row);
        const auto col = lxw_col_t(cell.column);
        if (cell.isNumber)
            worksheet_write_number(ws, row, col, cell.number, f);
        else
            worksheet_write_string(ws, row, col, cell.text.toUtf8().constData(), f);
        if (progress && ++done % kProgressEvery == 0 && !progress->step(done, total))
            return false;
    }
    if (PageBreaks && layout.pageStarts.size() > 1) {
        std::vector<lxw_row_t> breaks(layout.pageStarts.begin() + 1, layout.pageStarts.end());
        breaks.push_back(0); // the list ends with 0
        worksheet_set_h_pagebreaks(ws, breaks.data());
    }

    const lxw_error error = wb.close();
    if (error != LXW_NO_ERROR)
        throw report::cannotCreateFile(path, QString::fromUtf8(lxw_strerror(error)));
    QFile written(tempPath);
    if (!written.open(QIODevice::ReadOnly))
        throw report::cannotCreateFile(path, written.errorString());
    report::writeFileReplacing(path, written.readAll());
    if (progress)
        progress->step(total, total);
    return true;
}

} // namespace varnok::exports
