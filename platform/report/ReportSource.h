#pragma once
// The rows a report prints: its source run once, values kept with the text they print as.
#include "platform/data/Database.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace pv::detail
{

struct ReportCell {
    QVariant value; // as stored; invalid for NULL
    QString text;   // the stored value's default text
};

struct ReportRows {
    bool ok = false;
    QString error;
    // The file was there but its rows could not be read: the report must not pass for one
    // without rows.
    bool readFailed = false;
    QStringList columns;
    std::vector<std::vector<ReportCell>> rows;

    int column(const QString &name) const; // case-insensitive; -1 when missing
};

// Runs sql with its parameters on db. No open database, no source or a refused source
// gives ok = false and no rows.
ReportRows runReportSource(const Database &db, const QString &sql, const QVariantList &params = {});

} // namespace pv::detail
