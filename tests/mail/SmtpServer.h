#pragma once
// The tests' own SMTP server on 127.0.0.1: tests/mail/smtp_server.py run by
// /usr/bin/python3 (package python3-aiosmtpd), TLS from the start of the connection with
// a certificate made here by openssl. It ends when this object goes (its input closes).
#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class SmtpServer
{
public:
    enum Mode { Normal, Silent }; // Silent: a login gets no answer at all
    SmtpServer() = default;
    ~SmtpServer();

    // Starts it; false with the reason (naming the missing package) when it cannot.
    bool start(const QString &user, const QString &password, Mode mode = Normal);
    int port() const { return m_port; }

    // The certificate the server shows, and one of another maker that vouches for nothing here.
    static QString caFile();
    static QString otherCaFile();
    static QString setupError(); // empty when the certificates could be made

    struct Received {
        QString from;
        QStringList to;
        QString login;
        QByteArray raw;
    };
    QList<Received> messages() const;
    QStringList events() const; // "connect", "auth <user>", "message <n>"

private:
    QTemporaryDir m_out;
    std::unique_ptr<QProcess> m_proc;
    int m_port = 0;
};

// A loopback port nobody listens on (bound for a moment, then let go).
int freeLoopbackPort();
