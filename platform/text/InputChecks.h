#pragma once
// The checks every amount, price, quantity, date and time box of the program makes, with
// their Turkish messages, so that each window refuses the same input in the same words.
#include <QDate>
#include <QString>
#include <QTime>

namespace pv
{

// The largest amount a box takes: twelve integer digits and two decimals.
inline constexpr double kMaxAmount = 999999999999.99;

enum class AmountStatus { Ok, Empty, NotNumber, TooLarge };

struct AmountCheck {
    AmountStatus status = AmountStatus::Empty;
    double value = 0;
    QString message; // empty for Ok and Empty: an empty box keeps each window's own message
};

// Reads a typed amount (Turkish number rules). `word` names the box in the messages:
// "Tutar", "Miktar", "Fiyat".
AmountCheck checkAmount(const QString &text, const QString &word = QStringLiteral("Tutar"));
// The check's message for a value past kMaxAmount, for a result computed from boxes.
QString amountTooLargeMessage(const QString &word = QStringLiteral("Tutar"));

inline const QString kBadDateMessage = QStringLiteral("Tarih geçerli bir tarih olmalıdır (gg.aa.yyyy).");
inline const QString kBadTimeMessage = QStringLiteral("Saat geçerli bir saat olmalıdır (ss:dd:sn).");

} // namespace pv
