#pragma once
// Reading a received message back in the tests: headers, encoded words, quoted-printable,
// multipart pieces. Only as much of MIME as our own messages use.
#include <QByteArray>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace mailparse
{

struct Entity {
    QList<QPair<QByteArray, QByteArray>> headers; // names lower-case, values unfolded
    QByteArray body;

    QByteArray header(const QByteArray &name) const
    {
        for (const auto &h : headers)
            if (h.first == name)
                return h.second;
        return {};
    }
    int count(const QByteArray &name) const
    {
        int n = 0;
        for (const auto &h : headers)
            n += h.first == name;
        return n;
    }
};

inline Entity parse(const QByteArray &raw)
{
    Entity e;
    const qsizetype end = raw.indexOf("\r\n\r\n");
    const QByteArray head = end < 0 ? raw : raw.left(end);
    e.body = end < 0 ? QByteArray() : raw.mid(end + 4);
    QByteArray unfolded = head;
    unfolded.replace("\r\n ", " ").replace("\r\n\t", " ");
    for (const QByteArray &line : unfolded.split('\n')) {
        const QByteArray l = line.endsWith('\r') ? line.chopped(1) : line;
        const qsizetype colon = l.indexOf(':');
        if (colon > 0)
            e.headers.append({l.left(colon).trimmed().toLower(), l.mid(colon + 1).trimmed()});
    }
    return e;
}

// Encoded words (UTF-8, B or Q) to text; blanks between two encoded words vanish.
inline QString decodeWords(const QByteArray &value)
{
    static const QRegularExpression word(QStringLiteral(R"(=\?([^?]+)\?([BbQq])\?([^?]*)\?=)"));
    const QString v = QString::fromLatin1(value);
    QString out;
    qsizetype pos = 0;
    bool lastWasWord = false;
    auto it = word.globalMatch(v);
    while (it.hasNext()) {
        const auto m = it.next();
        const QString between = v.mid(pos, m.capturedStart() - pos);
        if (!(lastWasWord && between.trimmed().isEmpty()))
            out += between;
        QByteArray bytes = m.captured(3).toLatin1();
        if (m.captured(2).toUpper() == QLatin1String("B"))
            bytes = QByteArray::fromBase64(bytes);
        else
            bytes = QByteArray::fromPercentEncoding(bytes.replace('_', ' '), '=');
        out += QString::fromUtf8(bytes);
        pos = m.capturedEnd();
        lastWasWord = true;
    }
    out += v.mid(pos);
    return out;
}

inline QByteArray qpDecode(const QByteArray &in)
{
    QByteArray text = in;
    text.replace("=\r\n", "");
    return QByteArray::fromPercentEncoding(text, '=');
}

inline QByteArray boundaryOf(const QByteArray &contentType)
{
    static const QRegularExpression b(QStringLiteral(R"(boundary="([^"]+)\")"));
    return b.match(QString::fromLatin1(contentType)).captured(1).toLatin1();
}

inline QList<Entity> parts(const Entity &e)
{
    QList<Entity> out;
    const QByteArray boundary = "--" + boundaryOf(e.header("content-type"));
    QByteArray body = "\r\n" + e.body;
    const QByteArray sep = "\r\n" + boundary;
    qsizetype at = body.indexOf(sep);
    while (at >= 0) {
        const qsizetype start = at + sep.size();
        if (body.mid(start, 2) == "--")
            break;
        const qsizetype next = body.indexOf(sep, start);
        out.append(parse(body.mid(start + 2, (next < 0 ? body.size() : next) - start - 2)));
        at = next;
    }
    return out;
}

} // namespace mailparse
