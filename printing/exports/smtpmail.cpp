#include "printing/exports/smtpmail.h"

#include "common/error.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QUuid>
#include <curl/curl.h>
#include <memory>

namespace varnok::exports {

namespace {

constexpr qsizetype kEncodedChunk = 45; // UTF-8 bytes per encoded word (≤ 75 characters)
constexpr long kConnectTimeout = 30;    // seconds
constexpr long kStallTimeout = 60;      // seconds below 1 byte/s before giving up

struct CurlDeleter {
    void operator()(CURL *c) const { curl_easy_cleanup(c); }
    void operator()(curl_mime *m) const { curl_mime_free(m); }
    void operator()(curl_slist *l) const { curl_slist_free_all(l); }
};

struct ProgressState {
    const SendProgress *progress;
    bool cancelled = false;
};

int onProgress(void *data, curl_off_t, curl_off_t, curl_off_t ultotal, curl_off_t ulnow) {
    auto *state = static_cast<ProgressState *>(data);
    if (*state->progress && !(*state->progress)(qint64(ulnow), qint64(ultotal))) {
        state->cancelled = true;
        return 1;
    }
    return 0;
}

void initCurl() {
    static const bool done = [] {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        return true;
    }();
    Q_UNUSED(done);
}

QByteArray angle(const QString &address) {
    return '<' + address.trimmed().toUtf8() + '>';
}

Error mailError(const QString &why) {
    return Error(QStringLiteral("E-mail se nepodařilo odeslat: %1").arg(why));
}

// An address goes into the envelope and the headers as it is, so it
// must not carry blanks, line breaks or angle brackets.
void checkAddress(const QString &address) {
    static const QRegularExpression plain(QStringLiteral("^[^\\s<>\"(),;:]+@[^\\s<>\"(),;:@]+$"));
    if (!plain.match(address).hasMatch())
        throw mailError(QStringLiteral("adresa „%1“ není platná.").arg(address));
}

} // namespace

QStringList recipients(const QString &to) {
    QStringList out;
    for (const QString &part : to.split(QRegularExpression(QStringLiteral("[,;]"))))
        if (!part.trimmed().isEmpty())
            out << part.trimmed();
    return out;
}

QByteArray encodeHeader(const QString &text) {
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() >= 0x20 && c.unicode() < 0x7f;
    if (ascii)
        return text.toLatin1();
    // Encoded words must not split a character's bytes.
    QByteArrayList words;
    QByteArray chunk;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QByteArray bytes = text.mid(i, n).toUtf8();
        i += n - 1;
        if (chunk.size() + bytes.size() > kEncodedChunk) {
            words << "=?UTF-8?B?" + chunk.toBase64() + "?=";
            chunk.clear();
        }
        chunk += bytes;
    }
    if (!chunk.isEmpty())
        words << "=?UTF-8?B?" + chunk.toBase64() + "?=";
    return words.join("\r\n ");
}

void sendMail(const SmtpServer &server, const MailMessage &message, const SendProgress &progress) {
    const QStringList to = recipients(message.to);
    if (to.isEmpty())
        throw mailError(QStringLiteral("není zadán příjemce."));
    if (message.from.trimmed().isEmpty())
        throw mailError(QStringLiteral("není zadána adresa odesílatele."));
    checkAddress(message.from.trimmed());
    for (const QString &address : to)
        checkAddress(address);
    static const QRegularExpression hostName(QStringLiteral("^[\\w.-]+$"));
    if (server.host.trimmed().isEmpty())
        throw mailError(QStringLiteral("není zadán server SMTP."));
    if (!hostName.match(server.host.trimmed()).hasMatch())
        throw mailError(
            QStringLiteral("server „%1“ není platný název.").arg(server.host.trimmed()));
    if (server.port < 1 || server.port > 65535)
        throw mailError(QStringLiteral("port %1 není platný.").arg(server.port));

    initCurl();
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl)
        throw mailError(QStringLiteral("knihovnu curl nelze spustit."));
    CURL *c = curl.get();
    char errorText[CURL_ERROR_SIZE] = {};

    const QByteArray url =
        (server.port == 465 ? QByteArrayLiteral("smtps://") : QByteArrayLiteral("smtp://")) +
        server.host.trimmed().toUtf8() + ':' + QByteArray::number(server.port);
    const QByteArray from = angle(message.from);
    curl_easy_setopt(c, CURLOPT_URL, url.constData());
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, from.constData());
    curl_easy_setopt(c, CURLOPT_USE_SSL, long(CURLUSESSL_TRY));
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, kConnectTimeout);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, kStallTimeout);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    const QByteArray user = server.user.toUtf8(), password = server.password.toUtf8();
    if (!server.user.isEmpty()) {
        curl_easy_setopt(c, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(c, CURLOPT_PASSWORD, password.constData());
    }

    std::unique_ptr<curl_slist, CurlDeleter> rcpt;
    std::vector<QByteArray> rcptBytes;
    for (const QString &address : to) {
        rcptBytes.push_back(angle(address));
        rcpt.reset(curl_slist_append(rcpt.release(), rcptBytes.back().constData()));
    }
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, rcpt.get());

    const QByteArray headerLines[] = {
        "Date: " + QDateTime::currentDateTime().toString(Qt::RFC2822Date).toLatin1(),
        "From: " + from,
        "To: " + to.join(QStringLiteral(", ")).toUtf8(),
        "Subject: " + encodeHeader(message.subject),
        "Message-ID: <" + QUuid::createUuid().toString(QUuid::WithoutBraces).toLatin1() +
            "@varnok05>",
    };
    std::unique_ptr<curl_slist, CurlDeleter> headers;
    for (const QByteArray &h : headerLines)
        headers.reset(curl_slist_append(headers.release(), h.constData()));
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());

    std::unique_ptr<curl_mime, CurlDeleter> mime(curl_mime_init(c));
    // Mail lines end in CR LF; the encoder keeps those as line breaks.
    QString lines = message.body;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(u'\n', QStringLiteral("\r\n"));
    const QByteArray body = lines.toUtf8();
    curl_mimepart *text = curl_mime_addpart(mime.get());
    curl_mime_data(text, body.constData(), size_t(body.size()));
    curl_mime_type(text, "text/plain; charset=UTF-8");
    curl_mime_encoder(text, "quoted-printable");
    const QByteArray name = message.attachmentName.toUtf8();
    const QByteArray type = message.attachmentType.toUtf8();
    if (!message.attachment.isEmpty()) {
        curl_mimepart *file = curl_mime_addpart(mime.get());
        curl_mime_data(file, message.attachment.constData(), size_t(message.attachment.size()));
        curl_mime_filename(file, name.constData());
        curl_mime_type(file, type.constData());
        curl_mime_encoder(file, "base64");
    }
    curl_easy_setopt(c, CURLOPT_MIMEPOST, mime.get());

    ProgressState state{&progress};
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &onProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &state);

    const CURLcode result = curl_easy_perform(c);
    if (state.cancelled)
        throw Abort();
    if (result != CURLE_OK) {
        const QString detail = errorText[0] ? QString::fromUtf8(errorText)
                                            : QString::fromUtf8(curl_easy_strerror(result));
        throw mailError(QStringLiteral("server %1, port %2: %3")
                            .arg(server.host.trimmed())
                            .arg(server.port)
                            .arg(detail));
    }
}

} // namespace varnok::exports
