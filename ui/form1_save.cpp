// Saving the application ("uložit") and closing the window.
#include "ui/form1.h"

#include "app/state.h"
#include "common/error.h"
#include "records/opening.h"
#include "records/saving.h"
#include "ui/messagedialog.h"
#include "ui/stopmessage.h"

namespace varnok {

namespace {

void setQuestionForm(TMessageDialog *d) {
    d->ButtonCount = 2;
    d->Button1Caption = QStringLiteral("uložit");
    d->IconType = TMessageDialog::Icon::Help;
    d->Text = QStringLiteral("Uložit částku kreditu do objednávek?");
}

void setConfirmationForm(TMessageDialog *d) {
    d->ButtonCount = 1;
    d->Button1Caption = QStringLiteral("OK");
    d->IconType = TMessageDialog::Icon::Information;
    d->Text = QStringLiteral("Částka kreditu do objednávek uložena!");
}

} // namespace

void TForm1::suiButton3Click() {
    ZQuery &q = *ZQuery1;
    if (!q.active())
        throw Error(QStringLiteral("Není otevřena žádná věta žádosti o kredit, není co uložit."));

    // Post, "commit", "start transaction", read the row back.
    saving::commitRow(q);

    if (q.isEmpty() || q.fieldByName(QStringLiteral("priznani")).isNull()) {
        showStopMessage(this, QStringLiteral("Není vyplněno datum přiznání kreditu!"));
        return;
    }
    if (ulozit->ShowModal() != 1)
        return;

    // The order data goes through a second query on the same connection,
    // which also ends the transaction begun above.
    const QString statement = saving::orderDataStatement(
        *ZConnection1, q.fieldByName(QStringLiteral("zadost")), state().CurrentIco);
    {
        ZQuery second(ZConnection1);
        second.sql() << statement;
        second.execSQL();
        second.sql().clear();
        second.sql() << QStringLiteral("commit");
        second.execSQL();
    }

    setConfirmationForm(ulozit);
    ulozit->ShowModal();
    setQuestionForm(ulozit);
}

void TForm1::FormClose(bool *canClose) {
    ZQuery &q = *ZQuery1;
    if (q.active() && q.modified()) {
        if (pozor->ShowModal() == 2) {
            *canClose = false;
            return;
        }
        q.close();
        opening::runStatement(q, QStringLiteral("rollback"));
        return;
    }
    q.close();
}

} // namespace varnok
