#pragma once
// The one receipt-number sequence the cash book and the bank movements share
// (son_islemno.islemno).
#include <QString>
#include <QtGlobal>

#include <optional>

namespace pv
{
class Database;
}

namespace pv::ledger
{

class LedgerTransaction;

// The number to offer for a new entry: the stored counter plus one, read fresh so that a
// number used meanwhile by another window is never offered again. Nothing when the counter
// could not be read (the reason in *error): a made-up number would be posted and become the
// counter.
std::optional<qint64> offerReceiptNumber(pv::Database &db, QString *error = nullptr);

// Records the number an entry was posted with, inside the entry's transaction. A typed
// whole number becomes the counter (a new pre-printed receipt book counts on from it); any
// other text leaves the counter as it is. False only when the write failed.
bool takeReceiptNumber(LedgerTransaction &tx, pv::Database &db, const QString &typed);

} // namespace pv::ledger
