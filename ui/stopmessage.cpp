#include "ui/stopmessage.h"

#include "ui/messagedialog.h"

namespace varnok {

void showStopMessage(QWidget *owner, const QString &text) {
    TMessageDialog box(owner);
    box.Caption = QStringLiteral("Varnok05");
    box.Text = text;
    box.ButtonCount = 1;
    box.Button1Caption = QStringLiteral("OK");
    box.Button2Caption = QStringLiteral("storno");
    box.IconType = TMessageDialog::Icon::Stop;
    box.ShowModal();
}

} // namespace varnok
