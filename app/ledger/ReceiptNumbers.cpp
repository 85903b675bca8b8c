#include "app/ledger/ReceiptNumbers.h"

#include "platform/data/Database.h"

namespace pv::ledger
{

namespace
{
pv::Counter receiptCounter(pv::Database &db)
{
    return pv::Counter(db, QStringLiteral("son_islemno"), QStringLiteral("islemno"));
}
} // namespace

std::optional<qint64> offerReceiptNumber(pv::Database &db, QString *error)
{
    pv::Counter counter = receiptCounter(db);
    const auto held = counter.tryValue();
    if (!held) {
        if (error)
            *error = counter.lastError().message;
        return std::nullopt;
    }
    return *held + 1;
}

bool takeReceiptNumber(LedgerTransaction &, pv::Database &db, const QString &typed)
{
    bool whole = false;
    const qint64 number = typed.trimmed().toLongLong(&whole);
    if (!whole)
        return true;
    return receiptCounter(db).write(number);
}

} // namespace pv::ledger
