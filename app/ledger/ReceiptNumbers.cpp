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

qint64 offerReceiptNumber(pv::Database &db)
{
    return receiptCounter(db).next();
}

bool takeReceiptNumber(pv::Database &db, const QString &typed)
{
    bool whole = false;
    const qint64 number = typed.trimmed().toLongLong(&whole);
    if (!whole)
        return true;
    return receiptCounter(db).write(number);
}

} // namespace pv::ledger
