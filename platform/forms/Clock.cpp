#include "platform/forms/Clock.h"

namespace pv
{

namespace
{
QDateTime g_fixed;
}

QDateTime Clock::now()
{
    if (g_fixed.isValid())
        return g_fixed;
    // Whole seconds, as the short time texts the program writes carry no more (one
    // conversion to local time).
    return QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch());
}

QDate Clock::today()
{
    return now().date();
}
QTime Clock::time()
{
    return now().time();
}
void Clock::setFixed(const QDateTime &at)
{
    g_fixed = at;
}
void Clock::clearFixed()
{
    g_fixed = QDateTime();
}
void Clock::advance(qint64 seconds)
{
    if (g_fixed.isValid())
        g_fixed = g_fixed.addSecs(seconds);
}

} // namespace pv
