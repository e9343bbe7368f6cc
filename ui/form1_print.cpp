// The print button ("tisk"): gathers what the print command needs from the
// window and runs it.
#include "ui/form1.h"

#include "app/state.h"
#include "common/error.h"
#include "printing/designer/designer.h"
#include "printing/exports/mailexport.h"
#include "printing/exports/xlsexport.h"
#include "printing/printcommand.h"
#include "printing/report.h"
#include "ui/messagedialog.h"

#include <QCheckBox>

namespace varnok {

namespace {

// The preview's spreadsheet and e-mail exports and the designer, made at
// the first print so that start-up does not pay for them.
struct PrintComponents {
    exports::XlsExport frxXLSExport1;
    exports::MailExport frxMailExport1;
};

} // namespace

void TForm1::suiButton2Click() {
    // Without an application row there is nothing to print (a company
    // missing from the address book, a failed opening).
    if (!ZQuery1->active() || ZQuery1->isEmpty())
        throw Error(QStringLiteral("Není otevřena žádná věta žádosti o kredit, není co tisknout."));

    printing::PrintCommand &command = printing::PrintCommand::of(this);
    if (!m_printComponents) {
        m_printComponents = std::shared_ptr<void>(
            new PrintComponents, [](void *p) { delete static_cast<PrintComponents *>(p); });
        command.setDesigner([this](report::Report &report,
                                   const printing::DesignerSettings &settings, QWidget *window) {
            QStringList columns;
            for (int i = 0; i < ZQuery1->fieldCount(); ++i)
                columns << ZQuery1->field(i).fieldName();
            designer::DesignerOptions options;
            options.saveDir = settings.SaveDir;
            designer::designReport(report, columns, window, options);
        });
    }

    printing::PrintRequest request;
    request.query = ZQuery1;
    request.askUnsaved = [this] { return pozor->ShowModal(); };
    request.german = suiCheckBox1->isChecked();
    request.programDir = programDir();
    request.state = &state();
    request.window = this;
    command.run(request);
}

} // namespace varnok
