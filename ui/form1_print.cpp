// The print button ("tisk"): gathers what the print command needs from the
// window and runs it.
#include "ui/form1.h"

#include "app/state.h"
#include "common/error.h"
#include "printing/printcommand.h"
#include "ui/messagedialog.h"

#include <QCheckBox>

namespace varnok {

void TForm1::suiButton2Click() {
    // Without an application row there is nothing to print (a company
    // missing from the address book, a failed opening).
    if (!ZQuery1->active() || ZQuery1->isEmpty())
        throw Error(QStringLiteral("Není otevřena žádná věta žádosti o kredit, není co tisknout."));
    printing::PrintRequest request;
    request.query = ZQuery1;
    request.askUnsaved = [this] { return pozor->ShowModal(); };
    request.german = suiCheckBox1->isChecked();
    request.programDir = programDir();
    request.state = &state();
    request.window = this;
    printing::PrintCommand::of(this).run(request);
}

} // namespace varnok
