#pragma once
// Numbers of report fields: the stored value or its text read as a number, written with the
// program's VB-style Format or as its plain default text.
#include <QString>
#include <QVariant>

namespace pv::detail
{

// A number read from a stored value or its text ("1.234,50", "37,5", 12.5); false if none.
bool reportNumber(const QVariant &value, const QString &text, double *out);

} // namespace pv::detail
