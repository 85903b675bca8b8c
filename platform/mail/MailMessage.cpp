#include "platform/mail/MailMessage.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUuid>

namespace pv
{

namespace
{

bool plainAscii(const QString &s)
{
    for (const QChar c : s)
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return false;
    return true;
}

QByteArray uuidHex()
{
    return QUuid::createUuid().toByteArray(QUuid::Id128);
}

QByteArray dateHeader(const QDateTime &when)
{
    static const char *const days[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    static const char *const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QDateTime t = when.isValid() ? when : QDateTime::currentDateTime();
    const QDate d = t.date();
    const QTime tm = t.time();
    const int offsetMin = t.offsetFromUtc() / 60;
    const int absMin = offsetMin < 0 ? -offsetMin : offsetMin;
    return QStringLiteral("%1, %2 %3 %4 %5:%6:%7 %8%9%10")
        .arg(QLatin1String(days[d.dayOfWeek() - 1]))
        .arg(d.day())
        .arg(QLatin1String(months[d.month() - 1]))
        .arg(d.year(), 4, 10, QLatin1Char('0'))
        .arg(tm.hour(), 2, 10, QLatin1Char('0'))
        .arg(tm.minute(), 2, 10, QLatin1Char('0'))
        .arg(tm.second(), 2, 10, QLatin1Char('0'))
        .arg(QLatin1Char(offsetMin < 0 ? '-' : '+'))
        .arg(absMin / 60, 2, 10, QLatin1Char('0'))
        .arg(absMin % 60, 2, 10, QLatin1Char('0'))
        .toLatin1();
}

// A MIME parameter value in quotes, with the quote and backslash escaped.
QByteArray quotedParameter(const QString &value)
{
    QByteArray out = "\"";
    for (const char c : value.toUtf8()) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

// The file name parameters of an attachment: plain for ASCII names; encoded words in
// name= (which most readers take) and the RFC 2231 form in filename*.
QByteArray nameParameters(const QString &fileName, bool disposition)
{
    const QString name = MailMessage::oneLine(fileName);
    if (plainAscii(name))
        return (disposition ? "; filename=" : "; name=") + quotedParameter(name);
    if (!disposition)
        return "; name=\"" + MailMessage::encodedWords(name).replace("\r\n ", " ") + '"';
    return "; filename*=UTF-8''" + name.toUtf8().toPercentEncoding();
}

} // namespace

QString MailMessage::oneLine(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (const QChar c : value)
        if (c.unicode() >= 0x20 && c.unicode() != 0x7F)
            out += c;
    return out;
}

QByteArray MailMessage::encodedWords(const QString &text)
{
    if (plainAscii(text))
        return text.toLatin1();
    // 30 bytes of UTF-8 make 40 base64 characters: with "=?UTF-8?B?" and "?=" a word is
    // 52 characters, so that a header name or an address beside it still fits a 78-character
    // line. Words end between characters, never inside one.
    QList<QByteArray> words;
    QByteArray chunk;
    for (const char32_t c : text.toUcs4()) {
        const QByteArray bytes = QString::fromUcs4(&c, 1).toUtf8();
        if (chunk.size() + bytes.size() > 30) {
            words << chunk;
            chunk.clear();
        }
        chunk += bytes;
    }
    if (!chunk.isEmpty())
        words << chunk;
    QByteArray out;
    for (const QByteArray &w : words) {
        if (!out.isEmpty())
            out += "\r\n ";
        out += "=?UTF-8?B?" + w.toBase64() + "?=";
    }
    return out;
}

QByteArray MailMessage::addressHeader(const MailAddress &a)
{
    const QString name = oneLine(a.name).trimmed();
    const QByteArray address = '<' + oneLine(a.address).trimmed().toUtf8() + '>';
    if (name.isEmpty())
        return address;
    if (!plainAscii(name))
        return encodedWords(name) + ' ' + address;
    static const QRegularExpression specials(QStringLiteral(R"([()<>\[\]:;@\\,."])"));
    if (name.contains(specials))
        return quotedParameter(name) + ' ' + address;
    return name.toLatin1() + ' ' + address;
}

QByteArray MailMessage::quotedPrintable(const QString &text)
{
    QString normal = text;
    normal.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normal.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QList<QByteArray> lines = normal.toUtf8().split('\n');
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray &line = lines.at(i);
        QByteArray encoded;
        int width = 0;
        for (qsizetype j = 0; j < line.size(); ++j) {
            const auto b = static_cast<unsigned char>(line.at(j));
            const bool last = j == line.size() - 1;
            QByteArray piece;
            if ((b >= 33 && b <= 126 && b != '=') || ((b == ' ' || b == '\t') && !last))
                piece = QByteArray(1, char(b));
            else
                piece = QByteArray{"="} + hex[b >> 4] + hex[b & 15];
            // A soft break keeps every encoded line within 76 characters.
            if (width + piece.size() > 75) {
                encoded += "=\r\n";
                width = 0;
            }
            encoded += piece;
            width += int(piece.size());
        }
        out += encoded;
        if (i + 1 < lines.size())
            out += "\r\n";
    }
    return out;
}

QByteArray MailMessage::base64Lines(const QByteArray &bytes)
{
    const QByteArray b64 = bytes.toBase64();
    QByteArray out;
    for (qsizetype i = 0; i < b64.size(); i += 76)
        out += b64.mid(i, 76) + "\r\n";
    return out;
}

bool MailMessage::usableAddress(const QString &address)
{
    const qsizetype at = address.indexOf(QLatin1Char('@'));
    if (at <= 0 || at == address.size() - 1)
        return false;
    for (const QChar c : address) {
        if (c.unicode() <= 0x20 || c.unicode() == 0x7F)
            return false;
        if (QStringLiteral("<>,;:\"()[]\\").contains(c))
            return false;
    }
    return true;
}

QList<MailAddress> MailMessage::splitAddresses(const QString &typed)
{
    static const QRegularExpression separators(QStringLiteral("[,;]"));
    QList<MailAddress> out;
    for (const QString &part : typed.split(separators, Qt::SkipEmptyParts)) {
        const QString a = oneLine(part).trimmed();
        if (!a.isEmpty())
            out.append({QString(), a});
    }
    return out;
}

QString MailMessage::envelopeSender() const
{
    return oneLine(from.address).trimmed();
}

QStringList MailMessage::envelopeRecipients() const
{
    QStringList out;
    for (const auto *list : {&to, &cc, &bcc})
        for (const MailAddress &a : *list)
            out << oneLine(a.address).trimmed();
    return out;
}

bool MailMessage::build(QByteArray *out, QString *error) const
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (!usableAddress(envelopeSender()))
        return fail(QStringLiteral("Gönderen adresi geçersiz: ") + from.address);
    if (to.isEmpty())
        return fail(QStringLiteral("Alıcı yok."));
    for (const QString &r : envelopeRecipients())
        if (!usableAddress(r))
            return fail(QStringLiteral("Alıcı adresi geçersiz: ") + r);

    QByteArray msg;
    auto list = [](const QList<MailAddress> &addresses) {
        QByteArray v;
        for (const MailAddress &a : addresses) {
            if (!v.isEmpty())
                v += ",\r\n ";
            v += addressHeader(a);
        }
        return v;
    };
    const QString fromAddress = envelopeSender();
    msg += "From: " + addressHeader(from) + "\r\n";
    msg += "To: " + list(to) + "\r\n";
    if (!cc.isEmpty())
        msg += "Cc: " + list(cc) + "\r\n";
    msg += "Subject: " + encodedWords(oneLine(subject)) + "\r\n";
    msg += "Date: " + dateHeader(date) + "\r\n";
    msg += "Message-ID: <" + uuidHex() + '@' +
           fromAddress.mid(fromAddress.indexOf(QLatin1Char('@')) + 1).toUtf8() + ">\r\n";
    msg += "MIME-Version: 1.0\r\n";

    const QByteArray textPart = "Content-Type: text/plain; charset=UTF-8\r\n"
                                "Content-Transfer-Encoding: quoted-printable\r\n\r\n" +
                                quotedPrintable(body) + "\r\n";
    if (attachments.isEmpty()) {
        msg += textPart;
        *out = msg;
        return true;
    }

    const QByteArray boundary = "=_pv_" + uuidHex();
    msg += "Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\r\n\r\n";
    msg += "--" + boundary + "\r\n" + textPart;
    for (const MailAttachment &a : attachments) {
        QFile f(a.path);
        if (!f.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("Ek okunamadı: ") + a.path + QStringLiteral(" (") + f.errorString() +
                        QLatin1Char(')'));
        const QByteArray bytes = f.readAll();
        if (f.error() != QFileDevice::NoError)
            return fail(QStringLiteral("Ek okunamadı: ") + a.path);
        const QString name = QFileInfo(a.path).fileName();
        msg += "--" + boundary + "\r\n";
        msg += "Content-Type: " + oneLine(a.contentType).toLatin1();
        if (!a.charset.isEmpty())
            msg += "; charset=" + oneLine(a.charset).toLatin1();
        msg += nameParameters(name, false) + "\r\n";
        msg += "Content-Transfer-Encoding: base64\r\n";
        msg += "Content-Disposition: attachment" + nameParameters(name, true) + "\r\n\r\n";
        msg += base64Lines(bytes);
    }
    msg += "--" + boundary + "--\r\n";
    *out = msg;
    return true;
}

} // namespace pv
