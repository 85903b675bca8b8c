#include "platform/text/AmountInWords.h"

#include "platform/text/Formats.h"

#include <array>
#include <cmath>

namespace pv
{

namespace
{

const QString kError = QStringLiteral("Hata");

const std::array<QString, 10> kUnits{QString(),
                                     QStringLiteral("Bir"),
                                     QStringLiteral("İki"),
                                     QStringLiteral("Üç"),
                                     QStringLiteral("Dört"),
                                     QStringLiteral("Beş"),
                                     QStringLiteral("Altı"),
                                     QStringLiteral("Yedi"),
                                     QStringLiteral("Sekiz"),
                                     QStringLiteral("Dokuz")};
const std::array<QString, 10> kTens{QString(),
                                    QStringLiteral("On"),
                                    QStringLiteral("Yirmi"),
                                    QStringLiteral("Otuz"),
                                    QStringLiteral("Kırk"),
                                    QStringLiteral("Elli"),
                                    QStringLiteral("Altmış"),
                                    QStringLiteral("Yetmiş"),
                                    QStringLiteral("Seksen"),
                                    QStringLiteral("Doksan")};
// One word for each group of three digits of a fifteen-digit number, from the left.
const std::array<QString, 5> kGroups{QStringLiteral("Trilyon"), QStringLiteral("Milyar"),
                                     QStringLiteral("Milyon"), QStringLiteral("Bin"), QString()};

// The largest whole part spelled: fifteen digits.
constexpr double kLimit = 1e15;

// The words of a whole number of at most fifteen digits; "" for 0.
QString spellDigits(const QString &digits)
{
    const QString padded = digits.rightJustified(15, QLatin1Char('0'));
    QString words;
    for (int g = 0; g < 5; ++g) {
        const int h = padded.at(g * 3).digitValue();
        const int t = padded.at(g * 3 + 1).digitValue();
        const int u = padded.at(g * 3 + 2).digitValue();
        QString group;
        if (h == 1)
            group = QStringLiteral("Yüz");
        else if (h > 1)
            group = kUnits[h] + QStringLiteral("Yüz");
        group += kTens[t] + kUnits[u];
        if (!group.isEmpty())
            group += kGroups[g];
        // "one thousand" is said without the one.
        if (g == 3 && group == QLatin1String("BirBin"))
            group = QStringLiteral("Bin");
        words += group;
    }
    return words;
}

} // namespace

QString Yaziyla(const QString &amount)
{
    const ParsedNumber n = parseNumber(amount);
    if (n.kind != NumberKind::Number)
        return kError;
    return Yaziyla(n.value);
}

QString Yaziyla(double amount)
{
    if (!std::isfinite(amount))
        return kError;
    // The amount is spelled as it is shown, to the kuruş: 1,999 is two lira, -0,004 nothing.
    const auto shown = toNumber(Format(amount, QStringLiteral("0.00")));
    if (!shown)
        return kError;
    const double whole = std::trunc(*shown);
    // The leading blank of a positive number's text counts against the fifteen characters:
    // a positive whole part has fourteen digits at most, a negative one fifteen.
    if (std::fabs(whole) >= kLimit || whole >= kLimit / 10)
        return kError;
    // The sign is the amount's, not its lira part's: -0,05 is a debt of five kuruş.
    const bool negative = *shown < 0;

    // The kuruş through two-decimal rounding and a fifteen-digit text, so that a product
    // the binary arithmetic leaves just below a whole number (0,29 * 100) counts as it.
    const auto rounded = toNumber(Format(*shown - whole, QStringLiteral("0.00")));
    if (!rounded)
        return kError;
    const double kurus = QString::number(*rounded * 100, 'g', 15).toDouble();

    const QString lira = spellDigits(QString::number(qint64(std::fabs(whole))));
    const QString cents = spellDigits(QString::number(qint64(std::fabs(std::round(kurus)))));
    if (lira.isEmpty() && cents.isEmpty())
        return QStringLiteral("Sıfır");
    const QString sign = negative ? QStringLiteral("Eksi ") : QString();
    if (!lira.isEmpty() && !cents.isEmpty())
        return sign + lira + QStringLiteral(" TL ve ") + cents + QStringLiteral(" Kr");
    if (!lira.isEmpty())
        return sign + lira + QStringLiteral(" TL");
    return sign + cents + QStringLiteral(" Kr");
}

} // namespace pv
