#include "platform/text/InputChecks.h"

#include "platform/text/Formats.h"

#include <cmath>

namespace pv
{

AmountCheck checkAmount(const QString &text, const QString &word)
{
    const ParsedNumber n = parseNumber(text);
    switch (n.kind) {
    case NumberKind::Empty:
        return {AmountStatus::Empty, 0, {}};
    case NumberKind::NotNumber:
        return {AmountStatus::NotNumber, 0,
                word + QStringLiteral(" geçerli bir sayı olmalıdır (ör. 1.234,50).")};
    case NumberKind::Number:
        break;
    }
    // Past twelve integer digits a double no longer holds every kuruş.
    if (!std::isfinite(n.value) || std::fabs(n.value) > kMaxAmount)
        return {AmountStatus::TooLarge, 0, amountTooLargeMessage(word)};
    return {AmountStatus::Ok, n.value, {}};
}

QString amountTooLargeMessage(const QString &word)
{
    return word + QStringLiteral(" en fazla 999.999.999.999,99 olabilir.");
}

} // namespace pv
