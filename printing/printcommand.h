#pragma once

#include "printing/dataset.h"
#include "printing/pdfexport.h"
#include "printing/report.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace varnok {

class ZQuery;
struct AppState;

namespace printing {

// What the print button's handler hands over from the window.
struct PrintRequest {
    ZQuery *query = nullptr;         // ZQuery1, the open application row
    std::function<int()> askUnsaved; // shows pozor; 1 goes on, 2 stops
    bool german = false;             // "tisk žádost v NJ" is ticked
    QString programDir;              // with a trailing separator
    AppState *state = nullptr;
    QWidget *window = nullptr; // owner of the preview and the designer
};

// The designer's directories, set on every design-mode use.
struct DesignerSettings {
    QString SaveDir, OpenDir, TemplateDir;
};

// Opens the report designer on the report, modally; returns when it closes.
using DesignerHook =
    std::function<void(report::Report &, const DesignerSettings &, QWidget *window)>;

// Sets one txt_ variable per caption line: txt_ + the last two characters
// of "0" + the line number; value the line's field in the language,
// quoted, unescaped. Line 100 thus sets txt_00 and line 101 txt_01 again.
void setCaptionVariables(report::Report &report, const QStringList &lines, const QString &language);

// The print command and the report engine components it drives: the
// report (frxReport1), its dataset (frxDBDataset1) and the PDF export
// (dopdf). One lives on each window, so their settings persist between
// uses like components placed on it.
class PrintCommand : public QObject {
    Q_OBJECT
public:
    explicit PrintCommand(QObject *window);
    ~PrintCommand() override;

    // The window's print command, created on first use as its child.
    static PrintCommand &of(QObject *window);

    // Prints the open row (or opens the designer after the design hot
    // key). Throws varnok::Abort when the user declines at the unsaved-
    // changes warning and varnok::Error for the caption file, the
    // template file and the year; the engine shows its own errors.
    void run(const PrintRequest &request);

    // Design mode calls this; until a designer is installed, design mode
    // only clears the report and the request.
    void setDesigner(DesignerHook hook) { m_designer = std::move(hook); }

    report::Report &frxReport1() { return m_report; }
    report::QueryDataSet &frxDBDataset1() { return m_dataSet; }
    report::PdfExport &dopdf() { return m_pdf; }
    DesignerSettings &frxDesigner1() { return m_designerSettings; }

private:
    void designMode(const PrintRequest &r);
    void printMode(const PrintRequest &r);

    report::Report m_report;
    report::QueryDataSet m_dataSet;
    report::PdfExport m_pdf;
    DesignerSettings m_designerSettings;
    DesignerHook m_designer;
    bool m_running = false;
};

} // namespace printing
} // namespace varnok
