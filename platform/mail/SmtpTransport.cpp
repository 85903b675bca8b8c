#include "platform/mail/SmtpTransport.h"

#include <curl/curl.h>

#include <cstring>
#include <memory>
#include <mutex>

namespace pv
{

namespace
{

struct Upload {
    const QByteArray *bytes;
    qsizetype sent = 0;
};

size_t readMessage(char *buffer, size_t size, size_t count, void *user)
{
    auto *u = static_cast<Upload *>(user);
    const qsizetype left = u->bytes->size() - u->sent;
    const qsizetype n = std::min<qsizetype>(left, qsizetype(size * count));
    if (n > 0) {
        std::memcpy(buffer, u->bytes->constData() + u->sent, size_t(n));
        u->sent += n;
    }
    return size_t(n);
}

struct CurlDeleter {
    void operator()(CURL *c) const { curl_easy_cleanup(c); }
};
struct ListDeleter {
    void operator()(curl_slist *l) const { curl_slist_free_all(l); }
};

QByteArray angle(const QString &address)
{
    return '<' + address.toUtf8() + '>';
}

} // namespace

SmtpTransport::Result SmtpTransport::send(const QString &from, const QStringList &recipients,
                                          const QByteArray &message) const
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    Result result;
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl) {
        result.error = QStringLiteral("libcurl başlatılamadı.");
        return result;
    }
    CURL *c = curl.get();

    std::unique_ptr<curl_slist, ListDeleter> rcpt;
    for (const QString &r : recipients) {
        curl_slist *next = curl_slist_append(rcpt.get(), angle(r).constData());
        if (!next) {
            result.error = QStringLiteral("Bellek yetersiz.");
            return result;
        }
        rcpt.release();
        rcpt.reset(next);
    }

    const QString hostPart =
        host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    const QByteArray url = QStringLiteral("smtps://%1:%2").arg(hostPart).arg(port).toUtf8();
    const QByteArray mailFrom = angle(from);
    const QByteArray userBytes = user.toUtf8();
    const QByteArray passwordBytes = password.toUtf8();
    const QByteArray ca = caFile.toLocal8Bit();
    Upload upload{&message};
    char errorBuffer[CURL_ERROR_SIZE] = {};

    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(c, CURLOPT_URL, url.constData());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "smtps");
    curl_easy_setopt(c, CURLOPT_PROXY, ""); // straight to the server, whatever the environment says
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!ca.isEmpty())
        curl_easy_setopt(c, CURLOPT_CAINFO, ca.constData());
    curl_easy_setopt(c, CURLOPT_USERNAME, userBytes.constData());
    curl_easy_setopt(c, CURLOPT_PASSWORD, passwordBytes.constData());
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, mailFrom.constData());
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, rcpt.get());
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c, CURLOPT_READFUNCTION, readMessage);
    curl_easy_setopt(c, CURLOPT_READDATA, &upload);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, long(connectTimeoutSec));
    // A server that stops answering: each reply must come within the stall limit, and the
    // upload must not creep.
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(stallLimitSec));
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, long(stallLimitSec));

    const CURLcode code = curl_easy_perform(c);
    if (code == CURLE_OK) {
        result.ok = true;
        return result;
    }
    result.error = QString::fromUtf8(errorBuffer[0] ? errorBuffer : curl_easy_strerror(code));
    return result;
}

} // namespace pv
