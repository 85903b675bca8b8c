#pragma once
// The posting id that pairs a ledger row with its cash row. Windows show the id a posting
// will get; this header holds no writer, so a window that includes it reaches no write.
#include <QDateTime>
#include <QString>

namespace pv
{
class Database;
}

namespace pv::ledger
{

// The posting id of `at` ("yyyyMMddHHmmss"), moved on second by second while veresiye or
// kasa already carries it, so that two postings never share one.
QString uniquePostingId(pv::Database &db, QDateTime at);

} // namespace pv::ledger
