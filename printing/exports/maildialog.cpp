#include "printing/exports/maildialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace varnok::exports {

namespace {

QLineEdit *lineEdit(QWidget *parent, const QString &name) {
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    return e;
}

} // namespace

MailDialog::MailDialog(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("mailDialog"));
    setWindowTitle(QStringLiteral("Odeslat sestavu e-mailem"));

    auto *mail = new QGroupBox(QStringLiteral("Zpráva"), this);
    auto *mailForm = new QFormLayout(mail);
    m_to = lineEdit(mail, QStringLiteral("mailTo"));
    m_to->setPlaceholderText(QStringLiteral("adresa@firma.cz; další adresy oddělte středníkem"));
    m_subject = lineEdit(mail, QStringLiteral("mailSubject"));
    m_body = new QPlainTextEdit(mail);
    m_body->setObjectName(QStringLiteral("mailBody"));
    m_body->setTabChangesFocus(true);
    mailForm->addRow(QStringLiteral("Komu:"), m_to);
    mailForm->addRow(QStringLiteral("Předmět:"), m_subject);
    mailForm->addRow(QStringLiteral("Text zprávy:"), m_body);

    auto *account = new QGroupBox(QStringLiteral("Odesílatel a server"), this);
    auto *accountForm = new QFormLayout(account);
    m_from = lineEdit(account, QStringLiteral("mailFrom"));
    m_host = lineEdit(account, QStringLiteral("smtpHost"));
    m_port = new QSpinBox(account);
    m_port->setObjectName(QStringLiteral("smtpPort"));
    m_port->setRange(1, 65535);
    m_port->setValue(25);
    m_user = lineEdit(account, QStringLiteral("smtpUser"));
    m_password = lineEdit(account, QStringLiteral("smtpPassword"));
    m_password->setEchoMode(QLineEdit::Password);
    accountForm->addRow(QStringLiteral("Od (e-mail):"), m_from);
    accountForm->addRow(QStringLiteral("Server SMTP:"), m_host);
    accountForm->addRow(QStringLiteral("Port:"), m_port);
    accountForm->addRow(QStringLiteral("Uživatel:"), m_user);
    accountForm->addRow(QStringLiteral("Heslo:"), m_password);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Odeslat"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Storno"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(mail, 1);
    layout->addWidget(account);
    layout->addWidget(buttons);
    resize(520, 520);
}

void MailDialog::setMessage(const MailMessage &message) {
    m_to->setText(message.to);
    m_subject->setText(message.subject);
    m_body->setPlainText(message.body);
    m_from->setText(message.from);
}

void MailDialog::setServer(const SmtpServer &server) {
    m_host->setText(server.host);
    m_port->setValue(server.port);
    m_user->setText(server.user);
    m_password->setText(server.password);
}

MailMessage MailDialog::message() const {
    MailMessage m;
    m.to = m_to->text().trimmed();
    m.subject = m_subject->text();
    m.body = m_body->toPlainText();
    m.from = m_from->text().trimmed();
    return m;
}

SmtpServer MailDialog::server() const {
    SmtpServer s;
    s.host = m_host->text().trimmed();
    s.port = m_port->value();
    s.user = m_user->text().trimmed();
    s.password = m_password->text();
    return s;
}

} // namespace varnok::exports
