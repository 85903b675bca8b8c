#include "platform/report/ReportSource.h"
#include "platform/data/Database.h"
#include "platform/data/Recordset.h"

namespace pv::detail
{

int ReportRows::column(const QString &name) const
{
    for (int i = 0; i < columns.size(); ++i)
        if (columns.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

ReportRows runReportSource(const Database &db, const QString &sql, const QVariantList &params)
{
    ReportRows out;
    if (!db.isOpen() || sql.trimmed().isEmpty()) {
        out.error = QStringLiteral("no database or no source");
        return out;
    }
    Recordset rs;
    if (!rs.open(db, sql, params)) {
        out.error = rs.lastError().message;
        out.readFailed = true;
        return out;
    }
    const int n = rs.FieldCount();
    for (int i = 0; i < n; ++i)
        out.columns << rs.FieldName(i);
    out.rows.reserve(rs.RecordCount());
    for (int r = 0; r < rs.RecordCount(); ++r) {
        std::vector<ReportCell> row;
        row.reserve(n);
        for (int i = 0; i < n; ++i)
            row.push_back(ReportCell{rs.valueAt(r, i), rs.textAt(r, i)});
        out.rows.push_back(std::move(row));
    }
    if (rs.readError()) {
        out.rows.clear();
        out.error = rs.readError().message;
        out.readFailed = true;
        return out;
    }
    out.ok = true;
    return out;
}

} // namespace pv::detail
