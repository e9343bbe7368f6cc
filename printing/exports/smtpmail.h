#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace varnok::exports {

struct SmtpServer {
    QString host;
    int port = 25; // 465 speaks TLS from the start; other ports use STARTTLS when offered
    QString user;  // empty: no login
    QString password;
};

struct MailMessage {
    QString from;
    QString to; // one or more addresses separated by ',' or ';'
    QString subject;
    QString body;
    QString attachmentName;
    QByteArray attachment; // empty: none
    QString attachmentType = QStringLiteral("application/pdf");
};

// The addresses of a recipient line.
QStringList recipients(const QString &to);

// A header value as mail carries it: ASCII as it is, anything else as
// UTF-8 encoded words.
QByteArray encodeHeader(const QString &text);

// Called while sending with the bytes sent so far; false cancels.
using SendProgress = std::function<bool(qint64 sent, qint64 total)>;

// Sends the message through the SMTP server with libcurl. Throws
// varnok::Error with a Czech message that includes curl's own, or
// varnok::Abort when progress cancelled.
void sendMail(const SmtpServer &server, const MailMessage &message,
              const SendProgress &progress = SendProgress());

} // namespace varnok::exports
