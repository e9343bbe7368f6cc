#pragma once

#include "printing/exports/smtpmail.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

namespace varnok::exports {

// The e-mail export's dialog: recipient, subject and message, then the
// sender and the SMTP server with its port, user and password.
class MailDialog : public QDialog {
    Q_OBJECT
public:
    explicit MailDialog(QWidget *parent = nullptr);

    void setMessage(const MailMessage &message);
    void setServer(const SmtpServer &server);
    // The message without its attachment.
    MailMessage message() const;
    SmtpServer server() const;

private:
    QLineEdit *m_to, *m_subject, *m_from, *m_host, *m_user, *m_password;
    QPlainTextEdit *m_body;
    QSpinBox *m_port;
};

} // namespace varnok::exports
