#include "printing/exports/mailexport.h"

#include "common/error.h"
#include "printing/engineerror.h"
#include "printing/exports/exportprogress.h"
#include "printing/exports/maildialog.h"
#include "printing/pdfexport.h"

#include <QSettings>

namespace varnok::exports {

namespace {

const QString kGroup = QStringLiteral("MailExport");

} // namespace

QString MailExport::description() const {
    return QStringLiteral("E-mail (PDF v příloze)…");
}

void MailExport::loadSettings() {
    QSettings s(QStringLiteral("Varnok05"), QStringLiteral("Varnok05"));
    s.beginGroup(kGroup);
    Address = s.value(QStringLiteral("Address"), Address).toString();
    Subject = s.value(QStringLiteral("Subject"), Subject).toString();
    Lines = s.value(QStringLiteral("Lines"), Lines).toString();
    FromMail = s.value(QStringLiteral("FromMail"), FromMail).toString();
    SmtpHost = s.value(QStringLiteral("SmtpHost"), SmtpHost).toString();
    SmtpPort = s.value(QStringLiteral("SmtpPort"), SmtpPort).toInt();
    Login = s.value(QStringLiteral("Login"), Login).toString();
}

void MailExport::saveSettings() const {
    QSettings s(QStringLiteral("Varnok05"), QStringLiteral("Varnok05"));
    s.beginGroup(kGroup);
    s.setValue(QStringLiteral("Address"), Address);
    s.setValue(QStringLiteral("Subject"), Subject);
    s.setValue(QStringLiteral("Lines"), Lines);
    s.setValue(QStringLiteral("FromMail"), FromMail);
    s.setValue(QStringLiteral("SmtpHost"), SmtpHost);
    s.setValue(QStringLiteral("SmtpPort"), SmtpPort);
    s.setValue(QStringLiteral("Login"), Login);
}

bool MailExport::askUser() {
    if (UseIniFile)
        loadSettings();
    MailDialog dialog(dialogParent());
    MailMessage m;
    m.to = Address;
    m.subject = Subject;
    m.body = Lines;
    m.from = FromMail;
    dialog.setMessage(m);
    dialog.setServer(SmtpServer{SmtpHost, SmtpPort, Login, Password});
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const MailMessage chosen = dialog.message();
    const SmtpServer server = dialog.server();
    Address = chosen.to;
    Subject = chosen.subject;
    Lines = chosen.body;
    FromMail = chosen.from;
    SmtpHost = server.host;
    SmtpPort = server.port;
    Login = server.user;
    Password = server.password;
    // Kept even when sending then fails, so a typo is fixed, not retyped.
    if (UseIniFile)
        saveSettings();
    return true;
}

bool MailExport::exportReport(const report::PreparedReport &report) {
    if (ShowExportDialog && !askUser())
        return false;
    try {
        ExportProgress progress(ShowProgress, QStringLiteral("Odesílání e-mailu…"));
        MailMessage m;
        m.to = Address;
        m.subject = Subject;
        m.body = Lines;
        m.from = FromMail;
        m.attachmentName = AttachmentName;
        report::PdfExport pdf;
        m.attachment = pdf.render(report);
        sendMail(SmtpServer{SmtpHost, SmtpPort, Login, Password}, m,
                 [&progress](qint64 sent, qint64 total) { return progress.step(sent, total); });
    } catch (const Abort &) {
        return false; // cancelled at the progress window
    } catch (const Error &e) {
        report::showEngineError(e.message());
        return false;
    }
    return true;
}

} // namespace varnok::exports
