// The e-mail export against a local SMTP sink (Python's smtpd on
// 127.0.0.1, started per test): message, recipients and the PDF
// attachment arrive; the dialog and the kept settings; errors.
#include "printing/engineerror.h"
#include "printing/exports/maildialog.h"
#include "printing/exports/mailexport.h"
#include "printing/exports/smtpmail.h"
#include "tests/designer/whenmodal.h"
#include "tests/exports/shippedreport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSettings>
#include <QSpinBox>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace varnok;
using namespace varnok::exports;
using varnok::report::ScopedEngineErrorHandler;
using varnok::test::whenModal;

namespace {

// Writes every message it receives as mailN.json (envelope, decoded
// headers and text, attachment names) and the attachments as files.
const char kSink[] = R"PY(
import asyncore, email, email.policy, json, os, smtpd, sys
out = sys.argv[1]
class Sink(smtpd.SMTPServer):
    def process_message(self, peer, mailfrom, rcpttos, data, **kw):
        msg = email.message_from_bytes(data, policy=email.policy.default)
        n = len([f for f in os.listdir(out) if f.endswith('.json')])
        info = {'from': mailfrom, 'rcpt': rcpttos, 'subject': str(msg['subject']),
                'to': str(msg['to']), 'date': str(msg['date']),
                'body': msg.get_body(('plain',)).get_content(), 'attachments': []}
        for i, part in enumerate(msg.iter_attachments()):
            name = 'mail%d_att%d.bin' % (n, i)
            with open(os.path.join(out, name), 'wb') as f:
                f.write(part.get_content())
            info['attachments'].append({'name': part.get_filename(),
                                        'type': part.get_content_type(), 'file': name})
        tmp = os.path.join(out, 'mail%d.tmp' % n)
        with open(tmp, 'w') as f:
            json.dump(info, f)
        os.rename(tmp, os.path.join(out, 'mail%d.json' % n))
sink = Sink(('127.0.0.1', 0), None, decode_data=False)
print(sink.socket.getsockname()[1], flush=True)
asyncore.loop()
)PY";

class MailTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        // The user's settings of this test, not the real ones.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        QDir(dir.path()).mkdir(QStringLiteral("mails"));
        sink.start(QStringLiteral("python3"),
                   {QStringLiteral("-W"), QStringLiteral("ignore"), QStringLiteral("-c"),
                    QString::fromLatin1(kSink), mails()});
        ASSERT_TRUE(sink.waitForReadyRead(20000)) << sink.readAllStandardError().toStdString();
        port = sink.readLine().trimmed().toInt();
        ASSERT_GT(port, 0);
    }
    void TearDown() override {
        sink.kill();
        sink.waitForFinished();
    }

    QString mails() const { return dir.filePath(QStringLiteral("mails")); }

    QJsonObject receivedMail(int n) const {
        QFile f(mails() + QStringLiteral("/mail%1.json").arg(n));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QJsonDocument::fromJson(f.readAll()).object();
    }

    int mailCount() const {
        return int(QDir(mails()).entryList({QStringLiteral("*.json")}).size());
    }

    void setUp(MailExport &m) const {
        m.ShowExportDialog = false;
        m.UseIniFile = false;
        m.Address = QStringLiteral("kredity@example.cz; vedouci@example.cz");
        m.Subject = QStringLiteral("Žádost o kredit 2013");
        m.Lines = QStringLiteral("Dobrý den,\nv příloze posíláme žádost.");
        m.FromMail = QStringLiteral("kancelar@example.cz");
        m.SmtpHost = QStringLiteral("127.0.0.1");
        m.SmtpPort = port;
    }

    QTemporaryDir dir;
    QProcess sink;
    int port = 0;
    test::ShippedReport sample;
};

TEST_F(MailTest, SendsTheReportAsPdfAttachment) {
    MailExport m;
    setUp(m);
    ASSERT_TRUE(m.exportReport(sample.report.preparedPages()));
    ASSERT_EQ(mailCount(), 1);
    const QJsonObject mail = receivedMail(0);
    EXPECT_EQ(mail[u"from"].toString(), QStringLiteral("kancelar@example.cz"));
    EXPECT_EQ(
        mail[u"rcpt"].toArray().toVariantList(),
        (QVariantList{QStringLiteral("kredity@example.cz"), QStringLiteral("vedouci@example.cz")}));
    EXPECT_EQ(mail[u"subject"].toString(), QStringLiteral("Žádost o kredit 2013"));
    EXPECT_FALSE(mail[u"date"].toString().isEmpty());
    EXPECT_EQ(mail[u"body"].toString().trimmed(),
              QStringLiteral("Dobrý den,\nv příloze posíláme žádost."));

    const QJsonArray attachments = mail[u"attachments"].toArray();
    ASSERT_EQ(attachments.size(), 1);
    const QJsonObject pdf = attachments[0].toObject();
    EXPECT_EQ(pdf[u"name"].toString(), QStringLiteral("zadost.pdf"));
    EXPECT_EQ(pdf[u"type"].toString(), QStringLiteral("application/pdf"));
    const QString file = mails() + u'/' + pdf[u"file"].toString();
    QFile bytes(file);
    ASSERT_TRUE(bytes.open(QIODevice::ReadOnly));
    EXPECT_TRUE(bytes.read(5) == "%PDF-");
    // The attachment is the report: its text holds the company number.
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString content = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(content.contains(QStringLiteral("46345701")));
    EXPECT_TRUE(content.contains(QStringLiteral("Žádost o kredit 2013")));
}

TEST_F(MailTest, DialogSendsAndKeepsTheSettingsButNotThePassword) {
    MailExport m;
    m.ShowExportDialog = true;
    whenModal<MailDialog>([this](MailDialog &d) {
        EXPECT_EQ(d.findChild<QSpinBox *>(QStringLiteral("smtpPort"))->value(), 25);
        d.findChild<QLineEdit *>(QStringLiteral("mailTo"))
            ->setText(QStringLiteral("kredity@example.cz"));
        d.findChild<QLineEdit *>(QStringLiteral("mailSubject"))->setText(QStringLiteral("Žádost"));
        d.findChild<QPlainTextEdit *>(QStringLiteral("mailBody"))
            ->setPlainText(QStringLiteral("Text"));
        d.findChild<QLineEdit *>(QStringLiteral("mailFrom"))
            ->setText(QStringLiteral("kancelar@example.cz"));
        d.findChild<QLineEdit *>(QStringLiteral("smtpHost"))->setText(QStringLiteral("127.0.0.1"));
        d.findChild<QSpinBox *>(QStringLiteral("smtpPort"))->setValue(port);
        d.findChild<QLineEdit *>(QStringLiteral("smtpPassword"))
            ->setText(QStringLiteral("tajne-heslo"));
        const QString shots = qEnvironmentVariable("VARNOK_SHOTS");
        if (!shots.isEmpty() && QDir().mkpath(shots)) {
            EXPECT_TRUE(d.grab().save(shots + QStringLiteral("/maildialog.png")));
        }
        d.accept();
    });
    ASSERT_TRUE(m.exportReport(sample.report.preparedPages()));
    ASSERT_EQ(mailCount(), 1);
    EXPECT_EQ(receivedMail(0)[u"subject"].toString(), QStringLiteral("Žádost"));

    // The next export offers the same settings; the password is nowhere on disk.
    MailExport next;
    next.loadSettings();
    EXPECT_EQ(next.Address, QStringLiteral("kredity@example.cz"));
    EXPECT_EQ(next.SmtpHost, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(next.SmtpPort, port);
    EXPECT_EQ(next.FromMail, QStringLiteral("kancelar@example.cz"));
    EXPECT_TRUE(next.Password.isEmpty());
    QSettings stored(QStringLiteral("Varnok05"), QStringLiteral("Varnok05"));
    QFile file(stored.fileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << stored.fileName().toStdString();
    EXPECT_FALSE(file.readAll().contains("tajne-heslo"));

    QString offered;
    whenModal<MailDialog>([&offered](MailDialog &d) {
        offered = d.findChild<QLineEdit *>(QStringLiteral("mailTo"))->text();
        d.reject();
    });
    EXPECT_FALSE(next.exportReport(sample.report.preparedPages()));
    EXPECT_EQ(offered, QStringLiteral("kredity@example.cz"));
    EXPECT_EQ(mailCount(), 1); // cancelled: nothing sent
}

TEST_F(MailTest, ErrorsAreShownInCzechWithTheCause) {
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const int closedPort = probe.serverPort();
    probe.close();

    struct Case {
        const char *what;
        std::function<void(MailExport &)> change;
        const char16_t *expected;
    };
    const Case cases[] = {
        {"nothing listens", [closedPort](MailExport &m) { m.SmtpPort = closedPort; }, u"127.0.0.1"},
        {"no recipient", [](MailExport &m) { m.Address = QStringLiteral(" ; "); },
         u"není zadán příjemce"},
        {"header injection",
         [](MailExport &m) { m.Address = QStringLiteral("a@b.cz\r\nBcc: x@y.cz"); },
         u"není platná"},
        {"no sender", [](MailExport &m) { m.FromMail.clear(); }, u"adresa odesílatele"},
        {"bad server name", [](MailExport &m) { m.SmtpHost = QStringLiteral("host/x"); },
         u"není platný název"},
    };
    for (const Case &c : cases) {
        QStringList errors;
        ScopedEngineErrorHandler handler([&errors](const QString &e) { errors << e; });
        MailExport m;
        setUp(m);
        m.ShowProgress = false;
        c.change(m);
        EXPECT_FALSE(m.exportReport(sample.report.preparedPages())) << c.what;
        ASSERT_EQ(errors.size(), 1) << c.what;
        EXPECT_TRUE(errors[0].startsWith(QStringLiteral("E-mail se nepodařilo odeslat"))) << c.what;
        EXPECT_TRUE(errors[0].contains(QString::fromUtf16(c.expected)))
            << c.what << ": " << errors[0].toStdString();
    }
    EXPECT_EQ(mailCount(), 0);
}

TEST(MailHeaders, NonAsciiHeadersTravelAsEncodedWords) {
    EXPECT_EQ(encodeHeader(QStringLiteral("Zadost 2013")), QByteArray("Zadost 2013"));
    const QString czech =
        QStringLiteral("Žádost o kredit – příliš žluťoučký kůň úpěl ďábelské ódy");
    const QByteArray encoded = encodeHeader(czech);
    QString decoded;
    for (const QByteArray &word : encoded.split('\n')) {
        const QByteArray w = word.trimmed();
        ASSERT_TRUE(w.startsWith("=?UTF-8?B?") && w.endsWith("?=")) << w.constData();
        EXPECT_LE(w.size(), 75);
        decoded += QString::fromUtf8(QByteArray::fromBase64(w.mid(10, w.size() - 12)));
    }
    EXPECT_EQ(decoded, czech);
    EXPECT_EQ(recipients(QStringLiteral(" a@b.cz, c@d.cz;;e@f.cz ")),
              (QStringList{QStringLiteral("a@b.cz"), QStringLiteral("c@d.cz"),
                           QStringLiteral("e@f.cz")}));
}

} // namespace
