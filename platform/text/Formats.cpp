#include "platform/text/Formats.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace pv
{

namespace
{

constexpr QChar kGroupSep = u'.';
constexpr QChar kDecimalSep = u',';
constexpr QChar kDateSep = u'.';

// ---------------------------------------------------------------- decimal digits

// The decimal digits of a non-negative finite value: 15 significant digits (what a double
// holds reliably), so that a value such as 2.675, stored as 2.67499999..., rounds as the
// user wrote it.
struct Sci {
    std::string digits; // 15 digits, first non-zero unless the value is 0
    int exp = 0;        // value = d.ddd... x 10^exp
};

Sci sci15(double a)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, 14);
    const std::string s(buf, r.ptr);
    const auto e = s.find('e');
    Sci out;
    out.digits = s.substr(0, 1) + s.substr(2, e - 2);
    out.exp = std::stoi(s.substr(e + 1));
    return out;
}

// Integer and fraction digits of a non-negative value rounded half away from zero to
// maxFrac decimals. The integer part has no leading zeros ("" for zero).
void roundedDigits(double a, int maxFrac, std::string &ip, std::string &fp)
{
    const Sci sc = sci15(a);
    std::string digits = sc.digits;
    int point = sc.exp + 1; // digits before the decimal point
    if (point <= 0) {
        digits.insert(0, std::string(size_t(-point), '0'));
        point = 0;
    }
    if (size_t(point) > digits.size())
        digits.append(size_t(point) - digits.size(), '0');
    ip = digits.substr(0, size_t(point));
    fp = digits.substr(size_t(point));
    if (fp.size() > size_t(maxFrac)) {
        const bool up = fp[size_t(maxFrac)] >= '5';
        fp.resize(size_t(maxFrac));
        if (up) {
            std::string all = ip + fp;
            int i = int(all.size()) - 1;
            while (i >= 0 && all[size_t(i)] == '9')
                all[size_t(i--)] = '0';
            if (i >= 0)
                ++all[size_t(i)];
            else
                all.insert(all.begin(), '1');
            ip = all.substr(0, all.size() - fp.size());
            fp = all.substr(all.size() - fp.size());
        }
    }
    if (fp.size() < size_t(maxFrac))
        fp.append(size_t(maxFrac) - fp.size(), '0');
    const auto nz = ip.find_first_not_of('0');
    ip = nz == std::string::npos ? std::string() : ip.substr(nz);
}

QString grouped(const std::string &ip)
{
    QString out;
    const int n = int(ip.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += kGroupSep;
        out += QChar(ip[size_t(i)]);
    }
    return out;
}

// ---------------------------------------------------------------- number patterns

struct NumToken {
    enum Kind { Literal, Zero, Hash, Point, Comma, Percent } kind;
    QString text;
};

std::vector<NumToken> tokenizeNumber(const QString &section)
{
    std::vector<NumToken> out;
    bool havePoint = false;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section.at(i);
        if (c == u'"') {
            const qsizetype end = section.indexOf(u'"', i + 1);
            const qsizetype stop = end < 0 ? section.size() : end;
            out.push_back({NumToken::Literal, section.mid(i + 1, stop - i - 1)});
            i = stop;
        } else if (c == u'\\') {
            if (i + 1 < section.size())
                out.push_back({NumToken::Literal, section.mid(++i, 1)});
        } else if (c == u'0') {
            out.push_back({NumToken::Zero, {}});
        } else if (c == u'#') {
            out.push_back({NumToken::Hash, {}});
        } else if (c == u'.' && !havePoint) {
            havePoint = true;
            out.push_back({NumToken::Point, {}});
        } else if (c == u',') {
            out.push_back({NumToken::Comma, {}});
        } else if (c == u'%') {
            out.push_back({NumToken::Percent, {}});
        } else {
            out.push_back({NumToken::Literal, QString(c)});
        }
    }
    return out;
}

bool isDigitToken(const NumToken &t)
{
    return t.kind == NumToken::Zero || t.kind == NumToken::Hash;
}

// Formats the magnitude a (>= 0) with one section. isZero tells whether the shown digits
// are all zero.
QString formatSection(double a, const QString &section, bool *isZero)
{
    const std::vector<NumToken> tokens = tokenizeNumber(section);
    size_t pointAt = tokens.size();
    bool percent = false;
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind == NumToken::Point && pointAt == tokens.size())
            pointAt = i;
        if (tokens[i].kind == NumToken::Percent)
            percent = true;
    }
    if (percent)
        a *= 100;

    // Integer side: placeholders, the place of the first and last, grouping.
    int firstInt = -1, lastInt = -1, minInt = 0;
    bool grouping = false;
    for (size_t i = 0; i < pointAt; ++i) {
        if (isDigitToken(tokens[i])) {
            if (firstInt < 0)
                firstInt = int(i);
            lastInt = int(i);
        }
    }
    bool embeddedLiterals = false;
    for (int i = firstInt; i >= 0 && i <= lastInt; ++i) {
        const NumToken &t = tokens[size_t(i)];
        if (t.kind == NumToken::Comma)
            grouping = true;
        else if (t.kind == NumToken::Literal || t.kind == NumToken::Percent)
            embeddedLiterals = true;
    }
    bool seenZero = false;
    for (int i = firstInt; i >= 0 && i <= lastInt; ++i) {
        const NumToken &t = tokens[size_t(i)];
        seenZero = seenZero || t.kind == NumToken::Zero;
        if (seenZero && isDigitToken(t))
            ++minInt;
    }

    // Fraction side.
    int nFrac = 0, minFrac = 0;
    for (size_t i = pointAt; i < tokens.size(); ++i) {
        if (isDigitToken(tokens[i])) {
            ++nFrac;
            if (tokens[i].kind == NumToken::Zero)
                minFrac = nFrac;
        }
    }

    const bool anyDigits = firstInt >= 0 || nFrac > 0;
    std::string ip, fp;
    if (anyDigits)
        roundedDigits(a, nFrac, ip, fp);
    if (isZero)
        *isZero = ip.empty() && fp.find_first_not_of('0') == std::string::npos;
    while (int(fp.size()) > minFrac && fp.back() == '0')
        fp.pop_back();
    if (int(ip.size()) < minInt)
        ip.insert(0, std::string(size_t(minInt) - ip.size(), '0'));
    // Digits beyond the integer placeholders still show, in front.
    if (firstInt < 0 && !ip.empty())
        firstInt = lastInt = -2;

    auto literalText = [](const NumToken &t) -> QString {
        if (t.kind == NumToken::Literal)
            return t.text;
        if (t.kind == NumToken::Percent)
            return QStringLiteral("%");
        return {};
    };

    QString out;
    if (firstInt == -2) {
        out += QString::fromStdString(ip);
        firstInt = lastInt = -1;
    }
    for (size_t i = 0; i < pointAt; ++i) {
        if (firstInt >= 0 && int(i) == firstInt) {
            if (!embeddedLiterals) {
                out += grouping ? grouped(ip) : QString::fromStdString(ip);
            } else {
                // Fill from the right; the leftmost placeholder takes what is left.
                QString rev;
                int d = int(ip.size()) - 1;
                for (int j = lastInt; j >= firstInt; --j) {
                    const NumToken &t = tokens[size_t(j)];
                    if (isDigitToken(t)) {
                        if (j == firstInt) {
                            while (d >= 0)
                                rev += QChar(ip[size_t(d--)]);
                        } else if (d >= 0) {
                            rev += QChar(ip[size_t(d--)]);
                        }
                    } else {
                        const QString lit = literalText(t);
                        for (qsizetype k = lit.size() - 1; k >= 0; --k)
                            rev += lit.at(k);
                    }
                }
                std::reverse(rev.begin(), rev.end());
                out += rev;
            }
            i = size_t(lastInt);
            continue;
        }
        out += literalText(tokens[i]);
    }
    if (!fp.empty())
        out += kDecimalSep;
    int f = 0;
    for (size_t i = pointAt; i < tokens.size(); ++i) {
        const NumToken &t = tokens[i];
        if (isDigitToken(t)) {
            if (f < int(fp.size()))
                out += QChar(fp[size_t(f)]);
            ++f;
        } else {
            out += literalText(t);
        }
    }
    return out;
}

QStringList splitSections(const QString &pattern)
{
    QStringList out;
    QString cur;
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == u'"')
            quoted = !quoted;
        if (c == u'\\' && !quoted && i + 1 < pattern.size()) {
            cur += c;
            cur += pattern.at(++i);
            continue;
        }
        if (c == u';' && !quoted) {
            out << cur;
            cur.clear();
            continue;
        }
        cur += c;
    }
    out << cur;
    return out;
}

QString namedNumberPattern(const QString &name)
{
    const QString n = name.trimmed().toLower();
    if (n == u"currency")
        return QStringLiteral("#,##0.00\" TL\"");
    if (n == u"fixed")
        return QStringLiteral("0.00");
    if (n == u"standard")
        return QStringLiteral("#,##0.00");
    if (n == u"percent")
        return QStringLiteral("0.00%");
    return {};
}

bool isGeneralNumber(const QString &pattern)
{
    const QString n = pattern.trimmed().toLower();
    return pattern.isEmpty() || n == u"general number";
}

// ---------------------------------------------------------------- date patterns

const char16_t *const kMonthShort[] = {u"Oca", u"Şub", u"Mar", u"Nis", u"May", u"Haz",
                                       u"Tem", u"Ağu", u"Eyl", u"Eki", u"Kas", u"Ara"};
const char16_t *const kMonthLong[] = {u"Ocak",   u"Şubat",   u"Mart",  u"Nisan", u"Mayıs", u"Haziran",
                                      u"Temmuz", u"Ağustos", u"Eylül", u"Ekim",  u"Kasım", u"Aralık"};
// Monday first, as QDate::dayOfWeek counts.
const char16_t *const kDayShort[] = {u"Pzt", u"Sal", u"Çar", u"Per", u"Cum", u"Cmt", u"Paz"};
const char16_t *const kDayLong[] = {u"Pazartesi", u"Salı",      u"Çarşamba", u"Perşembe",
                                    u"Cuma",      u"Cumartesi", u"Pazar"};

struct DateToken {
    QChar kind; // d m y h n s a (AM/PM), or 0 for literal text
    int count = 0;
    QString text;
};

std::vector<DateToken> tokenizeDate(const QString &pattern)
{
    std::vector<DateToken> out;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        const QChar l = c.toLower();
        if (c == u'"') {
            const qsizetype end = pattern.indexOf(u'"', i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end;
            out.push_back({QChar(), 0, pattern.mid(i + 1, stop - i - 1)});
            i = stop;
        } else if (c == u'\\') {
            if (i + 1 < pattern.size())
                out.push_back({QChar(), 0, pattern.mid(++i, 1)});
        } else if (pattern.mid(i, 5).compare(u"am/pm", Qt::CaseInsensitive) == 0) {
            out.push_back({QChar(u'a'), 1, {}});
            i += 4;
        } else if (l == u'd' || l == u'm' || l == u'y' || l == u'h' || l == u'n' || l == u's') {
            qsizetype j = i;
            while (j < pattern.size() && pattern.at(j).toLower() == l)
                ++j;
            out.push_back({l, int(j - i), {}});
            i = j - 1;
        } else if (c == u'/') {
            out.push_back({QChar(), 0, QString(kDateSep)});
        } else {
            out.push_back({QChar(), 0, QString(c)});
        }
    }
    return out;
}

QString two(int v)
{
    return QStringLiteral("%1").arg(v, 2, 10, QChar(u'0'));
}

QString formatDateParts(const QDate &date, const QTime &time, const QString &pattern);

QString namedDatePattern(const QString &name)
{
    const QString n = name.trimmed().toLower();
    if (n == u"short date")
        return QStringLiteral("dd.mm.yyyy");
    if (n == u"long date")
        return QStringLiteral("d mmmm yyyy dddd");
    if (n == u"short time")
        return QStringLiteral("hh:nn");
    if (n == u"long time")
        return QStringLiteral("hh:nn:ss");
    if (n == u"medium date")
        return QStringLiteral("dd mmm yy");
    if (n == u"medium time")
        return QStringLiteral("hh:nn AM/PM");
    return {};
}

QString formatDateParts(const QDate &date, const QTime &time, const QString &pattern)
{
    const QString n = pattern.trimmed().toLower();
    if (n == u"general date" || pattern.isEmpty()) {
        QString out = date.isValid() ? formatDateParts(date, time, QStringLiteral("dd.mm.yyyy")) : QString();
        if (time.isValid() && time != QTime(0, 0)) {
            if (!out.isEmpty())
                out += u' ';
            out += formatDateParts(date, time, QStringLiteral("hh:nn:ss"));
        }
        return out;
    }
    const QString named = namedDatePattern(pattern);
    const std::vector<DateToken> tokens = tokenizeDate(named.isEmpty() ? pattern : named);
    const QDate d = date.isValid() ? date : QDate(1899, 12, 30);
    const QTime t = time.isValid() ? time : QTime(0, 0);

    auto neighbour = [&](size_t i, int step) -> QChar {
        for (long j = long(i) + step; j >= 0 && j < long(tokens.size()); j += step)
            if (!tokens[size_t(j)].kind.isNull())
                return tokens[size_t(j)].kind;
        return QChar();
    };

    QString out;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const DateToken &tk = tokens[i];
        const int c = tk.count;
        switch (tk.kind.unicode()) {
        case 0:
            out += tk.text;
            break;
        case u'd':
            if (c == 1)
                out += QString::number(d.day());
            else if (c == 2)
                out += two(d.day());
            else if (c == 3)
                out += QString::fromUtf16(kDayShort[d.dayOfWeek() - 1]);
            else if (c == 4)
                out += QString::fromUtf16(kDayLong[d.dayOfWeek() - 1]);
            else if (c == 5)
                out += formatDateParts(d, t, QStringLiteral("dd.mm.yyyy"));
            else
                out += formatDateParts(d, t, QStringLiteral("d mmmm yyyy dddd"));
            break;
        case u'm':
            // m after an hour or before seconds is the minute.
            if (c <= 2 && (neighbour(i, -1) == u'h' || neighbour(i, 1) == u's')) {
                out += c == 1 ? QString::number(t.minute()) : two(t.minute());
            } else if (c == 1) {
                out += QString::number(d.month());
            } else if (c == 2) {
                out += two(d.month());
            } else if (c == 3) {
                out += QString::fromUtf16(kMonthShort[d.month() - 1]);
            } else {
                out += QString::fromUtf16(kMonthLong[d.month() - 1]);
            }
            break;
        case u'y':
            if (c == 1)
                out += QString::number(d.dayOfYear());
            else if (c <= 3)
                out += two(d.year() % 100);
            else
                out += QStringLiteral("%1").arg(d.year(), 4, 10, QChar(u'0'));
            break;
        case u'h': {
            int h = t.hour();
            bool ampm = false;
            for (const DateToken &x : tokens)
                ampm = ampm || x.kind == u'a';
            if (ampm) {
                h %= 12;
                if (h == 0)
                    h = 12;
            }
            out += c == 1 ? QString::number(h) : two(h);
            break;
        }
        case u'n':
            out += c == 1 ? QString::number(t.minute()) : two(t.minute());
            break;
        case u's':
            out += c == 1 ? QString::number(t.second()) : two(t.second());
            break;
        case u'a':
            out += t.hour() < 12 ? QStringLiteral("ÖÖ") : QStringLiteral("ÖS");
            break;
        default:
            break;
        }
    }
    return out;
}

bool isDatePattern(const QString &pattern)
{
    if (!namedDatePattern(pattern).isEmpty() ||
        pattern.trimmed().compare(u"general date", Qt::CaseInsensitive) == 0)
        return true;
    if (!namedNumberPattern(pattern).isEmpty() || isGeneralNumber(pattern))
        return false;
    for (const DateToken &t : tokenizeDate(pattern))
        if (!t.kind.isNull())
            return !pattern.contains(u'0') && !pattern.contains(u'#');
    return false;
}

std::optional<std::pair<QDate, QTime>> parseDateTime(const QString &text)
{
    const QString s = text.trimmed();
    if (const auto d = parseDate(s))
        return std::make_pair(*d, QTime());
    if (const auto t = parseTime(s))
        return std::make_pair(QDate(), *t);
    const qsizetype blank = s.indexOf(u' ');
    if (blank > 0) {
        const auto d = parseDate(s.left(blank));
        const auto t = parseTime(s.mid(blank + 1));
        if (d && t)
            return std::make_pair(*d, *t);
    }
    return std::nullopt;
}

} // namespace

// ---------------------------------------------------------------- numbers to text

QString Format(double value, const QString &pattern)
{
    if (!std::isfinite(value))
        return {};
    if (isGeneralNumber(pattern))
        return plainNumber(value);
    const QString named = namedNumberPattern(pattern);
    const QStringList sections = splitSections(named.isEmpty() ? pattern : named);

    const bool negative = value < 0;
    const double a = std::fabs(value);
    const bool haveNeg = sections.size() >= 2 && !sections.at(1).isEmpty();
    const bool haveZero = sections.size() >= 3 && !sections.at(2).isEmpty();

    if (value == 0 && haveZero)
        return formatSection(0, sections.at(2), nullptr);
    bool zero = false;
    if (negative) {
        const QString text = formatSection(a, haveNeg ? sections.at(1) : sections.at(0), &zero);
        if (!zero)
            return haveNeg ? text : QStringLiteral("-") + text;
        // Rounded away to nothing: shown as zero, without a sign.
        return Format(0.0, pattern);
    }
    return formatSection(a, sections.at(0), &zero);
}

QString Format(const QDateTime &value, const QString &pattern)
{
    if (!value.isValid())
        return {};
    return formatDateParts(value.date(), value.time(), pattern);
}

QString Format(const QDate &value, const QString &pattern)
{
    if (!value.isValid())
        return {};
    return formatDateParts(value, QTime(), pattern);
}

QString Format(const QTime &value, const QString &pattern)
{
    if (!value.isValid())
        return {};
    return formatDateParts(QDate(), value, pattern);
}

QString Format(const QString &text, const QString &pattern)
{
    if (isDatePattern(pattern)) {
        if (const auto dt = parseDateTime(text))
            return formatDateParts(dt->first, dt->second, pattern);
        return text;
    }
    const ParsedNumber n = parseNumber(text);
    if (n.kind == NumberKind::Number)
        return Format(n.value, pattern);
    return text;
}

QString formatMoney(double value)
{
    return Format(value, kMoney);
}
QString formatMoneyParens(double value)
{
    return Format(value, kMoneyParens);
}
QString formatMoney3(double value)
{
    return Format(value, kMoney3);
}
QString formatMoney4(double value)
{
    return Format(value, kMoney4);
}

bool isWeightUnit(const QString &unit)
{
    return unit == u"Ton" || unit == u"KG" || unit == u"kg" || unit == u"Kg" || unit == u"Gram";
}

QString priceFormatForUnit(const QString &unit)
{
    return isWeightUnit(unit) ? kMoney3 : kMoney;
}

QString plainNumber(double value)
{
    if (!std::isfinite(value))
        return {};
    if (value == 0)
        return QStringLiteral("0");
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    const Sci sc = sci15(std::fabs(value));
    std::string digits = sc.digits;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    if (sc.exp >= 15 || sc.exp < -9) {
        QString m = QString(QChar(digits[0]));
        if (digits.size() > 1)
            m += kDecimalSep + QString::fromStdString(digits.substr(1));
        return sign + m + (sc.exp < 0 ? QStringLiteral("E-") : QStringLiteral("E+")) + two(std::abs(sc.exp));
    }
    std::string ip, fp;
    if (sc.exp < 0) {
        ip = "0";
        fp = std::string(size_t(-sc.exp - 1), '0') + digits;
    } else {
        const size_t point = size_t(sc.exp) + 1;
        if (digits.size() < point)
            digits.append(point - digits.size(), '0');
        ip = digits.substr(0, point);
        fp = digits.substr(point);
    }
    QString out = sign + QString::fromStdString(ip);
    if (!fp.empty())
        out += kDecimalSep + QString::fromStdString(fp);
    return out;
}

// ---------------------------------------------------------------- text to numbers

// The common plain form, an optional minus, digits and an optional decimal comma with
// digits ("-1234,50"), read without the pattern below: every number written to a row passes
// here. The same digits go to the same conversion, so the value is the pattern's.
static std::optional<ParsedNumber> plainDigits(const QString &text)
{
    const qsizetype n = text.size();
    if (n == 0 || n > 40)
        return std::nullopt;
    char ascii[48];
    qsizetype i = 0, out = 0;
    const bool negative = text.at(0) == u'-';
    if (negative)
        ++i;
    const qsizetype digitsFrom = i;
    while (i < n && text.at(i) >= u'0' && text.at(i) <= u'9')
        ascii[out++] = char(text.at(i++).unicode());
    if (i == digitsFrom)
        return std::nullopt;
    ascii[out++] = '.';
    if (i < n && text.at(i) == u',') {
        ++i;
        while (i < n && text.at(i) >= u'0' && text.at(i) <= u'9')
            ascii[out++] = char(text.at(i++).unicode());
    }
    if (i != n)
        return std::nullopt;
    if (ascii[out - 1] == '.')
        ascii[out++] = '0';
    double v = 0;
    if (std::from_chars(ascii, ascii + out, v).ec != std::errc())
        return std::nullopt;
    return ParsedNumber{NumberKind::Number, negative ? -v : v};
}

ParsedNumber parseNumber(const QString &text)
{
    if (const auto plain = plainDigits(text))
        return *plain;
    QString s = text.trimmed();
    if (s.isEmpty())
        return {NumberKind::Empty, 0};
    const ParsedNumber bad{NumberKind::NotNumber, 0};

    bool negative = false;
    if (s.startsWith(u'(') && s.endsWith(u')')) {
        negative = true;
        s = s.mid(1, s.size() - 2).trimmed();
    }
    auto stripCurrency = [&s] {
        for (const QString &cur : {QStringLiteral("TL"), QStringLiteral("₺")}) {
            if (s.endsWith(cur, Qt::CaseInsensitive))
                s = s.left(s.size() - cur.size()).trimmed();
            else if (s.startsWith(cur, Qt::CaseInsensitive))
                s = s.mid(cur.size()).trimmed();
        }
    };
    stripCurrency();
    if (!s.isEmpty() && (s.at(0) == u'-' || s.at(0) == u'+')) {
        if (negative)
            return bad; // "(-5)"
        negative = s.at(0) == u'-';
        s = s.mid(1).trimmed();
        stripCurrency();
    }
    static const QRegularExpression number(
        QStringLiteral("^(?:(\\d{1,3}(?:\\.\\d{3})+|\\d+)(?:,(\\d*))?|,(\\d+))$"));
    const auto m = number.match(s);
    if (!m.hasMatch())
        return bad;
    QString ip = m.captured(1);
    ip.remove(u'.');
    const QString fp = m.hasCaptured(3) ? m.captured(3) : m.captured(2);
    const std::string ascii = (ip.isEmpty() ? QStringLiteral("0") : ip).toStdString() + "." +
                              (fp.isEmpty() ? std::string("0") : fp.toStdString());
    double v = 0;
    const auto r = std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
    if (r.ec != std::errc())
        return bad;
    return {NumberKind::Number, negative ? -v : v};
}

std::optional<double> toNumber(const QString &text)
{
    const ParsedNumber n = parseNumber(text);
    if (n.kind == NumberKind::Number)
        return n.value;
    return std::nullopt;
}

double Val(const QString &text)
{
    // Blanks, tabs and line feeds are skipped wherever they stand.
    std::string s;
    for (const QChar c : text) {
        if (c == u' ' || c == u'\t' || c == u'\n')
            continue;
        if (c.unicode() > 0x7f)
            break;
        s += char(c.unicode());
    }
    size_t i = 0;
    if (s.size() >= 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
        const int base = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
        long long v = 0;
        const auto r = std::from_chars(s.data() + 2, s.data() + s.size(), v, base);
        return r.ec == std::errc() ? double(v) : 0.0;
    }
    std::string num;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        num += s[i++];
    bool digits = false;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        num += s[i++];
        digits = true;
    }
    if (i < s.size() && s[i] == '.') {
        num += s[i++];
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
            num += s[i++];
            digits = true;
        }
    }
    if (!digits)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        size_t j = i + 1;
        std::string ex = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ex += s[j++];
        bool expDigits = false;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) {
            ex += s[j++];
            expDigits = true;
        }
        if (expDigits)
            num += ex;
    }
    const char *b = num.data();
    if (*b == '+')
        ++b;
    double v = 0;
    const auto r = std::from_chars(b, num.data() + num.size(), v);
    if (r.ec == std::errc::result_out_of_range)
        return 0;
    return v;
}

// ---------------------------------------------------------------- dates, times, keys

QString dateText(const QDate &date)
{
    if (!date.isValid())
        return {};
    return QStringLiteral("%1.%2.%3")
        .arg(two(date.day()), two(date.month()))
        .arg(date.year(), 4, 10, QChar(u'0'));
}

std::optional<QDate> parseDate(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{1,2})([./-])(\\d{1,2})\\2(\\d{4}|\\d{2})$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    int year = m.captured(4).toInt();
    if (m.captured(4).size() == 2)
        year += year < 30 ? 2000 : 1900;
    const QDate d(year, m.captured(3).toInt(), m.captured(1).toInt());
    if (!d.isValid())
        return std::nullopt;
    return d;
}

QString timeText(const QTime &time)
{
    if (!time.isValid())
        return {};
    return QStringLiteral("%1:%2:%3").arg(two(time.hour()), two(time.minute()), two(time.second()));
}

std::optional<QTime> parseTime(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2}))?$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const QTime t(m.captured(1).toInt(), m.captured(2).toInt(), m.hasCaptured(3) ? m.captured(3).toInt() : 0);
    if (!t.isValid())
        return std::nullopt;
    return t;
}

QString dateKey(const QDate &date)
{
    if (!date.isValid())
        return {};
    return QStringLiteral("%1%2%3")
        .arg(date.year(), 4, 10, QChar(u'0'))
        .arg(two(date.month()), two(date.day()));
}

QString dateKey(const QString &dateText)
{
    if (const auto d = parseDate(dateText))
        return dateKey(*d);
    return dateText.mid(6, 4) + dateText.mid(3, 2) + dateText.mid(0, 2);
}

QString postingId(const QDateTime &at)
{
    const QDate d = at.date();
    const QTime t = at.time();
    return two(d.day()) + two(d.month()) + two(d.year() % 100) + two(t.hour()) + two(t.minute()) +
           two(t.second());
}

QString backupDateStamp(const QDate &date)
{
    return two(date.day()) + u'-' + two(date.month()) + u'-' + two(date.year() % 100);
}

QString backupTimeStamp(const QTime &time)
{
    return two(time.hour()) + u'-' + two(time.minute()) + u'-' + two(time.second());
}

} // namespace pv
