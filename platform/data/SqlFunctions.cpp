#include "platform/data/SqlFunctions.h"
#include "platform/text/TurkishText.h"

#include <QString>
#include <memory>
#include <sqlite3.h>
#include <vector>

namespace pv
{

// ---------------------------------------------------------------- collation

// Decodes UTF-8 into UTF-16 units one at a time, so that a comparison needs no allocation
// and agrees unit for unit with trCompare on the decoded strings.
namespace
{
struct Utf8Reader {
    const unsigned char *p;
    const unsigned char *end;
    char16_t pendingLow = 0;

    bool atEnd() const { return pendingLow == 0 && p >= end; }
    char16_t next()
    {
        if (pendingLow) {
            const char16_t c = pendingLow;
            pendingLow = 0;
            return c;
        }
        const unsigned char b = *p++;
        if (b < 0x80)
            return b;
        char32_t cp = 0;
        int extra = 0;
        if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1F;
            extra = 1;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0F;
            extra = 2;
        } else {
            cp = b & 0x07;
            extra = 3;
        }
        while (extra-- > 0 && p < end)
            cp = (cp << 6) | (*p++ & 0x3F);
        if (cp > 0xFFFF) {
            cp -= 0x10000;
            pendingLow = char16_t(0xDC00 + (cp & 0x3FF));
            return char16_t(0xD800 + (cp >> 10));
        }
        return char16_t(cp);
    }
};
} // namespace

static int turkishCollation(void *, int na, const void *a, int nb, const void *b)
{
    Utf8Reader ra{static_cast<const unsigned char *>(a), static_cast<const unsigned char *>(a) + na};
    Utf8Reader rb{static_cast<const unsigned char *>(b), static_cast<const unsigned char *>(b) + nb};
    while (!ra.atEnd() && !rb.atEnd()) {
        const char16_t ca = ra.next();
        const char16_t cb = rb.next();
        if (ca == cb)
            continue;
        const QChar qa(ca), qb(cb);
        const int c = trCompare(&qa, 1, &qb, 1);
        if (c != 0)
            return c;
    }
    if (ra.atEnd() && rb.atEnd())
        return 0;
    return ra.atEnd() ? -1 : 1;
}

// ---------------------------------------------------------------- LIKE

namespace
{
struct Token {
    enum Kind { Literal, One, Run, Digit, Class } kind;
    QChar ch;                                 // Literal, folded
    bool negate = false;                      // Class
    std::vector<std::pair<QChar, QChar>> set; // Class: folded ranges (single chars as lo == hi)
};

struct Pattern {
    std::vector<Token> tokens;
    bool plain = true; // no wildcard at all
};

bool sameLetter(QChar a, QChar b)
{
    return a == b || trCompare(&a, 1, &b, 1) == 0;
}

bool inRange(QChar c, QChar lo, QChar hi)
{
    if (lo == hi)
        return sameLetter(c, lo);
    return trCompare(&lo, 1, &c, 1) <= 0 && trCompare(&c, 1, &hi, 1) <= 0;
}

Pattern compile(const QString &p)
{
    Pattern out;
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QChar c = p.at(i);
        if (c == u'*') {
            if (out.tokens.empty() || out.tokens.back().kind != Token::Run)
                out.tokens.push_back({Token::Run, {}, false, {}});
            out.plain = false;
        } else if (c == u'?') {
            out.tokens.push_back({Token::One, {}, false, {}});
            out.plain = false;
        } else if (c == u'#') {
            out.tokens.push_back({Token::Digit, {}, false, {}});
            out.plain = false;
        } else if (c == u'[') {
            const qsizetype close = p.indexOf(u']', i + 2 <= p.size() ? i + 2 : i + 1);
            // "[]" and an unclosed bracket stand for themselves.
            if (close < 0 || close == i + 1) {
                out.tokens.push_back({Token::Literal, trLowerChar(c), false, {}});
                continue;
            }
            Token t{Token::Class, {}, false, {}};
            qsizetype j = i + 1;
            if (p.at(j) == u'!' && j + 1 < close) {
                t.negate = true;
                ++j;
            }
            for (; j < close; ++j) {
                const QChar lo = trLowerChar(p.at(j));
                if (j + 2 < close && p.at(j + 1) == u'-') {
                    t.set.emplace_back(lo, trLowerChar(p.at(j + 2)));
                    j += 2;
                } else {
                    t.set.emplace_back(lo, lo);
                }
            }
            out.tokens.push_back(std::move(t));
            out.plain = false;
            i = close;
        } else {
            out.tokens.push_back({Token::Literal, trLowerChar(c), false, {}});
        }
    }
    return out;
}

bool tokenMatches(const Token &t, QChar c)
{
    switch (t.kind) {
    case Token::Literal:
        return sameLetter(t.ch, c);
    case Token::One:
        return true;
    case Token::Digit:
        return c >= u'0' && c <= u'9';
    case Token::Class: {
        bool hit = false;
        for (const auto &[lo, hi] : t.set) {
            if (inRange(c, lo, hi)) {
                hit = true;
                break;
            }
        }
        return hit != t.negate;
    }
    case Token::Run:
        break;
    }
    return false;
}

// Greedy match with one backtrack point per run, the classic wildcard walk.
bool matches(const Pattern &pat, const QString &textIn)
{
    const QString text = trLower(textIn);
    const auto &tk = pat.tokens;
    const size_t nt = tk.size();
    const qsizetype n = text.size();
    size_t ti = 0;
    qsizetype si = 0;
    size_t starT = size_t(-1);
    qsizetype starS = 0;
    while (si < n) {
        if (ti < nt && tk[ti].kind == Token::Run) {
            starT = ti++;
            starS = si;
        } else if (ti < nt && tokenMatches(tk[ti], text.at(si))) {
            ++ti;
            ++si;
        } else if (starT != size_t(-1)) {
            ti = starT + 1;
            si = ++starS;
        } else {
            return false;
        }
    }
    while (ti < nt && tk[ti].kind == Token::Run)
        ++ti;
    return ti == nt;
}

void freePattern(void *p)
{
    delete static_cast<Pattern *>(p);
}

void likeFunction(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (argc < 2 || sqlite3_value_type(argv[0]) == SQLITE_NULL ||
        sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    auto *pat = static_cast<Pattern *>(sqlite3_get_auxdata(ctx, 0));
    if (!pat) {
        const auto *p = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
        auto owned = std::make_unique<Pattern>(compile(QString::fromUtf8(p, sqlite3_value_bytes(argv[0]))));
        pat = owned.get();
        sqlite3_set_auxdata(ctx, 0, owned.release(), freePattern);
        // set_auxdata may have freed it already when it cannot keep it; fetch it back.
        pat = static_cast<Pattern *>(sqlite3_get_auxdata(ctx, 0));
        if (!pat) {
            const Pattern tmp = compile(QString::fromUtf8(p, sqlite3_value_bytes(argv[0])));
            const auto *s = reinterpret_cast<const char *>(sqlite3_value_text(argv[1]));
            sqlite3_result_int(ctx, matches(tmp, QString::fromUtf8(s, sqlite3_value_bytes(argv[1]))) ? 1 : 0);
            return;
        }
    }
    const auto *s = reinterpret_cast<const char *>(sqlite3_value_text(argv[1]));
    sqlite3_result_int(ctx, matches(*pat, QString::fromUtf8(s, sqlite3_value_bytes(argv[1]))) ? 1 : 0);
}
} // namespace

bool likeMatch(const QString &pattern, const QString &text)
{
    return matches(compile(pattern), text);
}

QString likeEscape(const QString &userText)
{
    QString out;
    out.reserve(userText.size() + 8);
    for (const QChar c : userText) {
        if (c == u'*' || c == u'?' || c == u'#' || c == u'[') {
            out += u'[';
            out += c;
            out += u']';
        } else {
            out += c;
        }
    }
    return out;
}

QString containsPattern(const QString &userText)
{
    return QLatin1Char('*') + likeEscape(userText) + QLatin1Char('*');
}

QString startsWithPattern(const QString &userText)
{
    return likeEscape(userText) + QLatin1Char('*');
}

int registerSqlFunctions(sqlite3 *db)
{
    int rc = sqlite3_create_collation(db, "TURKISH", SQLITE_UTF8, nullptr, turkishCollation);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function(db, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, likeFunction,
                                     nullptr, nullptr);
    return rc;
}

} // namespace pv
