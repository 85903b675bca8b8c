#include "platform/text/TurkishText.h"

namespace pv
{

QChar trLowerChar(QChar c)
{
    if (c == u'I')
        return u'ı';
    if (c == u'İ')
        return u'i';
    return c.toLower();
}

QChar trUpperChar(QChar c)
{
    if (c == u'i')
        return u'İ';
    if (c == u'ı')
        return u'I';
    return c.toUpper();
}

QString trLower(const QString &s)
{
    QString out(s);
    for (QChar &c : out)
        c = trLowerChar(c);
    return out;
}

QString trUpper(const QString &s)
{
    QString out(s);
    for (QChar &c : out)
        c = trUpperChar(c);
    return out;
}

// Sort weight of a case-folded character: the letters of the Turkish alphabet (with q, w, x
// where a Turkish keyboard puts them) after every other character of the basic plane's
// first block, everything else by its code.
static int weight(QChar folded)
{
    static const QString alphabet = QStringLiteral("abcçdefgğhıijklmnoöpqrsştuüvwxyz");
    const char16_t u = folded.unicode();
    if ((u >= u'a' && u <= u'z') || u == u'ç' || u == u'ğ' || u == u'ı' || u == u'ö' || u == u'ş' ||
        u == u'ü') {
        return 0x10000 + int(alphabet.indexOf(folded));
    }
    return int(u);
}

int trCompare(const QChar *a, qsizetype na, const QChar *b, qsizetype nb)
{
    const qsizetype n = std::min(na, nb);
    for (qsizetype i = 0; i < n; ++i) {
        const int wa = weight(trLowerChar(a[i]));
        const int wb = weight(trLowerChar(b[i]));
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    return na == nb ? 0 : (na < nb ? -1 : 1);
}

int trCompare(const QString &a, const QString &b)
{
    return trCompare(a.constData(), a.size(), b.constData(), b.size());
}

bool trEqualsIgnoreCase(const QString &a, const QString &b)
{
    return trCompare(a, b) == 0;
}

} // namespace pv
