#include "app/reports/ReportHandlers.h"

namespace pv
{

namespace
{
const QColor stripe(0xDF, 0xF5, 0xFD);
const QString shortDate = QStringLiteral("dd.MM.yyyy");
} // namespace

void RankedRows::detailFormat(ReportRun &run)
{
    run.detail().setBackColor(m_rows % 2 ? stripe : QColor(Qt::white));
    ++m_rows;
    run.control(QStringLiteral("lblRank")).setCaption(m_prefix + QString::number(m_rows));
}

void DatedFooter::pageFooterFormat(ReportRun &run)
{
    run.control(m_dateLabel).setCaption(run.now().toString(shortDate));
}

void PrintDateFooter::pageFooterFormat(ReportRun &run)
{
    run.control(QStringLiteral("Label117")).setCaption(run.now().toString(shortDate));
}

void ExtreScript::detailFormat(ReportRun &run)
{
    RankedRows::detailFormat(run);
    ReportControl &added = run.control(QStringLiteral("Field5"));
    ReportControl &paid = run.control(QStringLiteral("Field6"));
    const bool payment = added.text().isEmpty();
    // Every row sets all of these, so nothing carries over from the row before.
    paid.setVisible(payment);
    if (payment)
        paid.setBackColor(QColor(0xFF, 0xFF, 0x80));
    added.setVisible(!payment);
    for (const char *name : {"Field2", "Field3", "Field4"})
        run.control(QLatin1String(name)).setVisible(!payment);
    run.control(QStringLiteral("Field7")).setWidth(payment ? 6931 : 4133);
}

void ExtreScript::pageHeaderFormat(ReportRun &run)
{
    const QDateTime now = run.now();
    run.control(QStringLiteral("Label169")).setCaption(now.toString(shortDate));
    run.control(QStringLiteral("Label170")).setCaption(now.toString(QStringLiteral("HH:mm:ss")));
}

} // namespace pv
