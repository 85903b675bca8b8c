#pragma once
// Per-row and per-page handlers of the customer area's layouts.
#include "platform/report/Report.h"

namespace pv
{

// Every layout numbers its detail rows in lblRank (" 1", " 2", ...; kasaRapor without the
// blank) and stripes them: the first row white, the second pale blue, and so on. The count
// starts at every run.
class RankedRows : public ReportScript
{
public:
    explicit RankedRows(const QString &rankPrefix = QStringLiteral(" ")) : m_prefix(rankPrefix) {}
    void detailFormat(ReportRun &run) override;

protected:
    int m_rows = 0;
    QString m_prefix;
};

// carirapor, CariGunlukRapor (Label117), kasaRapor (Label124), Sozlesme (LabelTarih): the print
// date in the page footer.
class DatedFooter : public RankedRows
{
public:
    explicit DatedFooter(const QString &dateLabel = QStringLiteral("Label117"),
                         const QString &rankPrefix = QStringLiteral(" "))
        : RankedRows(rankPrefix), m_dateLabel(dateLabel)
    {
    }
    void pageFooterFormat(ReportRun &run) override;

private:
    QString m_dateLabel;
};

// stokraporyazdir: only the print date in the page footer's Label117; no row numbers, no
// stripes.
class PrintDateFooter : public ReportScript
{
public:
    void pageFooterFormat(ReportRun &run) override;
};

// Extre, the receipt: a row without an added amount is a payment, shown in the single amount
// column on yellow with the quantity columns hidden and the description widened over them.
class ExtreScript : public RankedRows
{
public:
    void detailFormat(ReportRun &run) override;
    void pageHeaderFormat(ReportRun &run) override;
};

} // namespace pv
