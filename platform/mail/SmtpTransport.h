#pragma once
// Sends a built message to an SMTP server with libcurl, in one blocking call: TLS from
// the start of the connection (smtps), login, MAIL FROM, RCPT TO for every recipient,
// the message uploaded. Certificates are always checked against the system's store, or
// against the CA file a test gives.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace pv
{

class SmtpTransport
{
public:
    QString host;
    int port = 465;
    QString user;
    QString password;
    QString caFile;             // empty: the system's certificates
    int connectTimeoutSec = 40; // reaching the server, TLS and the login
    // A server that sends nothing for this long (or takes our upload slower than one
    // byte a second for this long) ends the send.
    int stallLimitSec = 60;

    struct Result {
        bool ok = false;
        QString error; // libcurl's reason when not ok
    };

    Result send(const QString &from, const QStringList &recipients, const QByteArray &message) const;
};

} // namespace pv
