#include "app/ui/ReadFailures.h"

#include "platform/databind/DataControl.h"
#include "platform/forms/MsgBox.h"

namespace ui
{

bool ReadFailures::check(pv::DataControl &dc, bool refreshed)
{
    if (!refreshed)
        return check(dc.lastError().message.isEmpty() ? QStringLiteral("read failed")
                                                      : dc.lastError().message);
    if (dc.Recordset().readError())
        return check(dc.Recordset().readError().message);
    return true;
}

bool ReadFailures::check(const QString &reason)
{
    if (reason.isEmpty())
        return true;
    failed(reason);
    return false;
}

void ReadFailures::endPass()
{
    if (!m_passFailed)
        m_reason.clear();
}

void ReadFailures::failed(const QString &reason)
{
    if (m_reason.isEmpty())
        pv::MsgBox(m_head + reason, pv::vbCritical, QStringLiteral("Hata"));
    m_reason = reason;
    m_passFailed = true;
}

} // namespace ui
