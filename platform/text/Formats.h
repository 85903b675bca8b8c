#pragma once
// Turkish number, money, date and key texts, written and read the same way on every
// machine: a point groups thousands, a comma separates decimals, dates are dd.mm.yyyy.
// Nothing here depends on the machine's locale.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <optional>

namespace pv
{

// ---------------------------------------------------------------- numbers to text

// VB-style Format of a number. Patterns: up to four sections "positive;negative;zero;null",
// digit placeholders 0 and #, "." decimal point, "," thousands grouping, "%", literal text
// in quotes or after a backslash, any other character as itself; named formats
// "General Number", "Currency", "Fixed", "Standard", "Percent". Rounds half away from zero
// on the value's decimal digits (15 significant), so 2.675 gives 2,68 with two decimals.
QString Format(double value, const QString &pattern);

// VB-style Format of a date and/or time. Tokens (any letter case): d dd ddd dddd, m mm mmm
// mmmm (minutes after h or before s), yy yyyy, h hh, n nn, s ss; "/" writes the date
// separator "." and ":" the time separator; named formats "Short Date", "Long Date",
// "Short Time", "Long Time", "General Date". Other characters stand as they are.
QString Format(const QDateTime &value, const QString &pattern);
QString Format(const QDate &value, const QString &pattern);
QString Format(const QTime &value, const QString &pattern);

// Format of a box's text, as a money box is rewritten: a text that reads as a Turkish
// number is formatted as that number; else a text that reads as a date is formatted as
// that date; any other text, the empty text included, comes back unchanged.
QString Format(const QString &text, const QString &pattern);

// The patterns the windows use.
inline const QString kMoney = QStringLiteral("#,##0.00");
inline const QString kMoneyParens = QStringLiteral("#,##0.00;(#,##0.00)");
inline const QString kMoney3 = QStringLiteral("#,##0.000");
inline const QString kMoney4 = QStringLiteral("#,##0.0000");

QString formatMoney(double value);       // "#,##0.00":            1.234,50  -50,00  0,00
QString formatMoneyParens(double value); // "#,##0.00;(#,##0.00)": 1.234,50  (25,00)
QString formatMoney3(double value);      // "#,##0.000"
QString formatMoney4(double value);      // "#,##0.0000"

// Prices of products sold by weight ("Ton", "KG", "kg", "Kg", "Gram") show three decimals.
bool isWeightUnit(const QString &unit);
QString priceFormatForUnit(const QString &unit);

// A number's plain text as grids and reports show a stored value: no grouping, decimal
// comma, up to 15 significant digits with trailing zeros dropped, whole numbers without
// decimals (37.5 -> "37,5", 1234.5 -> "1234,5", 12 -> "12", -0.25 -> "-0,25").
QString plainNumber(double value);

// ---------------------------------------------------------------- text to numbers

enum class NumberKind { Empty, Number, NotNumber };

struct ParsedNumber {
    NumberKind kind = NumberKind::Empty;
    double value = 0; // 0 unless kind is Number
};

// Reads a typed number by Turkish rules: optional blanks around, a sign in front ("-" or
// "+") or parentheses for a negative amount, a point between groups of three digits, a
// comma before the decimals, an optional "TL" or "₺". "1.234,50" -> 1234.5, "(25,00)" ->
// -25, "" and blanks -> Empty, "abc" and "1.5" (no group of three) -> NotNumber.
ParsedNumber parseNumber(const QString &text);

// The value when the text is a number, else nothing (empty and not-a-number alike).
std::optional<double> toNumber(const QString &text);

// The old runtime's Val: the leading number of the text with the point as decimal
// separator; blanks, tabs and line feeds are skipped; an exponent (e or d) is read; the
// first other character ends it; no number gives 0. "12abc" -> 12, "1.5" -> 1.5, "2,5" -> 2.
double Val(const QString &text);

// ---------------------------------------------------------------- dates, times, keys

// "dd.mm.yyyy"; an invalid date gives "".
QString dateText(const QDate &date);

// A typed date: day, month and year separated by ".", "/" or "-", day and month of one or
// two digits, year of four digits or two (00-29 -> 20xx, 30-99 -> 19xx); it must be a real
// date (31.02.2026 is not). Blanks around are allowed. Nothing when it is no date.
std::optional<QDate> parseDate(const QString &text);

// "HH:mm:ss"; an invalid time gives "".
QString timeText(const QTime &time);

// A typed time "H:mm" or "H:mm:ss" (24 hours). Nothing when it is no time.
std::optional<QTime> parseTime(const QString &text);

// The eight-digit date key yyyymmdd compared as text.
QString dateKey(const QDate &date);
// The key of a date text: characters 7-10, 4-5 and 1-2 of "dd.mm.yyyy". A text that reads
// as a date in another spelling ("8.12.2026") gives that date's key rather than a mangled one.
QString dateKey(const QString &dateText);

// Posting id: date "DDMMYY" followed by time "HHMMSS" (081226143005).
QString postingId(const QDateTime &at);

// Backup file name stamps: "DD-MM-YY" and "HH-MM-SS".
QString backupDateStamp(const QDate &date);
QString backupTimeStamp(const QTime &time);

} // namespace pv
