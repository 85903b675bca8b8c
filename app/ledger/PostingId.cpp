#include "app/ledger/PostingId.h"

#include "platform/data/Database.h"
#include "platform/text/Formats.h"

namespace pv::ledger
{

QString uniquePostingId(pv::Database &db, QDateTime at)
{
    for (;;) {
        const QString id = pv::postingId(at);
        const QVariant used = db.scalar(QStringLiteral("select 1 where exists (select 1 from veresiye where "
                                                       "islemNo2 = ?1) or exists (select 1 from kasa where "
                                                       "islemNo2 = ?1)"),
                                        {id});
        if (!used.isValid() || db.lastError())
            return id;
        at = at.addSecs(1);
    }
}

} // namespace pv::ledger
