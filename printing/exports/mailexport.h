#pragma once

#include "printing/exportfilter.h"
#include "printing/exports/smtpmail.h"

#include <QString>

namespace varnok::exports {

// The e-mail export (frxMailExport1): sends the prepared report as a PDF
// attachment through an SMTP server. Its dialog asks for the recipient,
// subject, message, sender and server; with UseIniFile the settings (all
// but the password, which is never written to disk) are kept in the
// user's settings of the program and offered again next time.
class MailExport : public report::ExportFilter {
public:
    bool ShowExportDialog = true;
    bool ShowProgress = true;
    bool UseIniFile = true;
    QString Address; // recipients, separated by ',' or ';'
    QString Subject;
    QString Lines; // the message text
    QString FromMail;
    QString SmtpHost;
    int SmtpPort = 25;
    QString Login;
    QString Password;
    QString AttachmentName = QStringLiteral("zadost.pdf");

    QString description() const override;
    bool exportReport(const report::PreparedReport &report) override;

    void loadSettings();
    void saveSettings() const;

private:
    bool askUser();
};

} // namespace varnok::exports
