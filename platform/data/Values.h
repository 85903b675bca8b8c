#pragma once
// How values cross the data layer: the text a box gives is stored by the column's type,
// and what is stored reads back as the text a box would show.
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

namespace pv
{

// Storage class of a column, from its declared type by SQLite's affinity rules;
// DATE and TIME columns are kept apart because they hold ISO date text.
enum class ColumnKind { Text, Integer, Real, Numeric, Date, Blob };

ColumnKind columnKindOf(const QString &declaredType);

// A date as the program writes it ("dd.mm.yyyy", optionally followed by "hh:mm:ss") or
// as a DATE column stores it ("yyyy-mm-dd"). Invalid when it is neither.
QDateTime parseDateText(const QString &text);

// The text a box shows for a stored value: "" for NULL, numbers plain, dates "dd.mm.yyyy".
QString displayText(const QVariant &stored, ColumnKind kind);

// The value to store in a column of the given kind for what the program hands over.
// Text is read the Turkish way; "" is NULL. nullopt when the column cannot take it.
std::optional<QVariant> storageValue(const QVariant &given, ColumnKind kind);

} // namespace pv
