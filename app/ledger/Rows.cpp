#include "app/ledger/Rows.h"

#include "platform/data/Database.h"
#include "platform/data/Recordset.h"
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

double readSum(pv::Database &db, const QString &sql, const QVariantList &params, QString &error)
{
    const auto v = db.tryScalar(sql, params);
    if (!v) {
        if (error.isEmpty())
            error = db.lastError().message.isEmpty() ? QStringLiteral("read failed") : db.lastError().message;
        return 0.0;
    }
    return v->isValid() ? v->toDouble() : 0.0;
}

double roundedMoney(double value)
{
    return pv::toNumber(pv::formatMoney(value)).value_or(value);
}

bool addRow(pv::Database &db, const QString &table, std::initializer_list<Value> values, QString *error)
{
    pv::Recordset rs;
    auto failed = [&](const QString &what) {
        if (error)
            *error = what.isEmpty() ? rs.lastError().message : what;
        return false;
    };
    // An empty selection of the table: updatable, and nothing of the table read.
    if (!rs.open(db, QStringLiteral("select * from %1 where 0").arg(pv::Database::quoteName(table))))
        return failed({});
    if (!rs.AddNew())
        return failed({});
    for (const Value &v : values) {
        pv::Field f = v.column.typeId() == QMetaType::Int ? rs.Fields(v.column.toInt())
                                                          : rs.Fields(v.column.toString());
        if (!f.exists())
            return failed(QStringLiteral("%1: alan yok (%2)").arg(table, v.column.toString()));
        if (!f.setValue(v.value))
            return failed(
                QStringLiteral("%1.%2: \"%3\" yazılamadı").arg(table, f.name(), v.value.toString()));
    }
    if (!rs.Update())
        return failed({});
    return true;
}

} // namespace pv::ledger
