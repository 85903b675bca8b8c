#pragma once
// An amount of money spelled out in Turkish words, as a contract or a receipt writes it
// under the figures: 1.234,56 -> "BinİkiYüzOtuzDört TL ve ElliAltı Kr".
//
// The amount is rounded to the kuruş first (1,999 gives "İki TL"). The words run together
// without blanks; lira and kuruş are spelled apart. Zero gives "Sıfır"; a negative amount
// starts with "Eksi ", also below one lira (-0,50 gives "Eksi Elli Kr"). Anything that is
// no Turkish number, and a whole part too long to spell (14 digits for a positive amount,
// 15 for a negative one), gives "Hata".
#include <QString>

namespace pv
{

// A box's text, read by the Turkish number rules ("1.234,56", "-5,5").
QString Yaziyla(const QString &amount);
QString Yaziyla(double amount);

} // namespace pv
