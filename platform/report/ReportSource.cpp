#include "platform/report/ReportSource.h"
#include "platform/data/Database.h"
#include "platform/data/Recordset.h"

#include <QRegularExpression>

namespace pv::detail
{

int ReportRows::column(const QString &name) const
{
    for (int i = 0; i < columns.size(); ++i)
        if (columns.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString databasePathFromConnection(const QString &connection)
{
    static const QRegularExpression ds(QStringLiteral("(?:^|;)\\s*Data Source\\s*=\\s*([^;]*)"),
                                       QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = ds.match(connection);
    if (m.hasMatch())
        return m.captured(1).trimmed();
    return connection.contains(QLatin1Char('=')) ? QString() : connection.trimmed();
}

ReportRows runReportSource(const Database &given, const QString &connection, const QString &sql,
                           const QVariantList &params)
{
    ReportRows out;
    Database db = given;
    const QString path = db.isOpen() ? db.path() : databasePathFromConnection(connection);
    if (path.isEmpty() || sql.trimmed().isEmpty()) {
        out.error = QStringLiteral("no database or no source");
        return out;
    }
    if (!db.isOpen() && !db.open(path)) {
        out.error = db.lastError().message;
        out.readFailed = true;
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
