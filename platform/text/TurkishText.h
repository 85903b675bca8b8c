#pragma once
// Turkish case rules, independent of the machine's locale: I/ı and İ/i are pairs.
#include <QString>

namespace pv
{

QChar trLowerChar(QChar c);
QChar trUpperChar(QChar c);
QString trLower(const QString &s);
QString trUpper(const QString &s);

// Case-insensitive comparison in the order of the Turkish alphabet
// (C < Ç < D, G < Ğ < H, I < İ, O < Ö, S < Ş, U < Ü). <0, 0 or >0.
int trCompare(const QString &a, const QString &b);
int trCompare(const QChar *a, qsizetype na, const QChar *b, qsizetype nb);
bool trEqualsIgnoreCase(const QString &a, const QString &b);

} // namespace pv
