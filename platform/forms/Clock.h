#pragma once
// The program's clock. Every "today" and "now" goes through here so tests can fix it.
#include <QDateTime>

namespace pv
{

class Clock
{
public:
    static QDateTime now();
    static QDate today();
    static QTime time();

    static void setFixed(const QDateTime &at); // tests: the clock stands still here
    static void clearFixed();                  // back to the system clock
    static void advance(qint64 seconds);       // moves a fixed clock on
};

} // namespace pv
