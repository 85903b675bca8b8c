#include "app/ledger/Rows.h"

#include "platform/data/Database.h"
#include "platform/data/Recordset.h"
#include "platform/text/Formats.h"
#include "platform/text/InputChecks.h"

#include <cmath>

namespace pv::ledger
{

int deleteByPostingId(LedgerTransaction &, pv::Database &db, const QString &table, const QString &postingId)
{
    if (postingId.trimmed().isEmpty())
        return 0;
    // The second condition keeps an empty id out even if the guard above is ever loosened.
    if (!db.exec(QStringLiteral("DELETE FROM %1 WHERE islemNo2 = ? AND islemNo2 <> ''")
                     .arg(pv::Database::quoteName(table)),
                 {postingId}))
        return -1;
    return db.changes();
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

QString rowRefusal(const QDate &date, const QTime &time, const QList<double> &amounts, const QString &word)
{
    if (!date.isValid())
        return pv::kBadDateMessage;
    if (!time.isValid())
        return pv::kBadTimeMessage;
    for (const double amount : amounts)
        if (!std::isfinite(amount) || std::fabs(amount) > pv::kMaxAmount)
            return pv::amountTooLargeMessage(word);
    return {};
}

bool writeFields(LedgerTransaction &, pv::Recordset &rs, const FieldValues &fields, QString *error)
{
    bool ok = rs.Edit();
    for (qsizetype i = 0; ok && i < fields.size(); ++i)
        ok = rs.Fields(fields.at(i).first).setValue(fields.at(i).second);
    if (ok && rs.Update())
        return true;
    *error = rs.lastError().message;
    rs.CancelUpdate();
    return false;
}

bool addRow(LedgerTransaction &, pv::Database &db, const QString &table, const QList<Value> &values,
            QString *error, qint64 *id)
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
    if (id)
        *id = db.lastInsertRowId();
    return true;
}

} // namespace pv::ledger
