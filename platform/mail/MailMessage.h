#pragma once
// An outgoing e-mail: sender, recipients, subject, a plain-text body and attachments by
// file path, turned into the bytes an SMTP server takes.
//
//   pv::MailMessage m;
//   m.from = {"Dükkan", "dukkan@gmail.com"};
//   m.to = {{"Ahmet Yılmaz", "ahmet@ornek.com"}};
//   m.subject = "Borç Bilgisi";
//   m.body = "Sayın Müşterimiz...";
//   m.attachments = {{"/yol/CariHareketRaporu.html", "text/html", "windows-1254"}};
//   m.date = pv::Clock::now();
//   QByteArray bytes; QString error;
//   if (!m.build(&bytes, &error)) ...
//
// Nothing typed can add a header or a recipient: CR and LF never reach a header, names
// that are not plain text are quoted or encoded, and an address with characters no
// address has is refused. Bcc recipients are only in envelopeRecipients(), never in a header.
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace pv
{

struct MailAddress {
    QString name; // display name, may be empty
    QString address;
};

struct MailAttachment {
    MailAttachment() = default;
    MailAttachment(const QString &path,
                   const QString &contentType = QStringLiteral("application/octet-stream"),
                   const QString &charset = {})
        : path(path), contentType(contentType), charset(charset)
    {
    }
    QString path;
    QString contentType = QStringLiteral("application/octet-stream");
    QString charset; // given for text types: the bytes go unchanged, the charset names them
};

class MailMessage
{
public:
    MailAddress from;
    QList<MailAddress> to;
    QList<MailAddress> cc;
    QList<MailAddress> bcc;
    QString subject;
    QString body;
    QList<MailAttachment> attachments;
    QDateTime date; // invalid: the machine's current time

    // The message's bytes with CR LF line ends; false with a Turkish reason when an
    // address is unusable or an attachment cannot be read.
    bool build(QByteArray *out, QString *error) const;

    // The envelope: the sender's address and every To, Cc and Bcc address.
    QString envelopeSender() const;
    QStringList envelopeRecipients() const;

    // Addresses typed in one box, separated by commas or semicolons, without names.
    static QList<MailAddress> splitAddresses(const QString &typed);

    // Pieces, public for the tests and for whoever builds a header of their own.
    // A header value without CR or LF.
    static QString oneLine(const QString &value);
    // "=?UTF-8?B?...?=" words of at most 52 characters, joined by CR LF and a blank;
    // plain ASCII comes back unchanged.
    static QByteArray encodedWords(const QString &text);
    // "Name <address>", "\"Na<me\" <address>" or encoded words and "<address>".
    static QByteArray addressHeader(const MailAddress &a);
    // Quoted-printable of UTF-8 text whose line breaks (CR LF, CR, LF) all become CR LF.
    static QByteArray quotedPrintable(const QString &text);
    // Base64 in lines of 76 characters, each ended by CR LF.
    static QByteArray base64Lines(const QByteArray &bytes);
    // An address is usable when it holds an "@" and no blank, control character or
    // any of <>,;:"()[]\.
    static bool usableAddress(const QString &address);
};

} // namespace pv
