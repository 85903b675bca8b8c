#pragma once
// A form's timer: Interval in milliseconds and Enabled; tick() each time the interval
// has passed. An interval of 0 never ticks. Setting the interval restarts the count.
//
// In test mode no real time passes: tests fire a timer's tick with fire(), or let
// simulated time pass with advance(), which runs the due ticks of all enabled timers
// in time order.
#include <QList>
#include <QObject>

class QTimer;

namespace pv
{

class Timer : public QObject
{
    Q_OBJECT
public:
    explicit Timer(QObject *parent = nullptr);
    Timer(int intervalMs, bool enabled, QObject *parent = nullptr);
    ~Timer() override;

    int Interval() const { return m_interval; }
    void setInterval(int ms);
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool on);

    static void setTestMode(bool on);
    // Test mode: one tick now, when the timer is enabled with an interval; false otherwise.
    static bool fire(Timer &timer);
    // Test mode: lets ms of simulated time pass; returns the number of ticks run.
    static int advance(int ms);
    // The timers that would tick: enabled with an interval above 0.
    static QList<Timer *> running();

signals:
    void tick();

private:
    void restart();
    int m_interval = 0;
    bool m_enabled = false;
    QTimer *m_real = nullptr;
    qint64 m_due = 0;  // simulated time of the next tick (test mode)
    quint64 m_seq = 0; // creation order: equal due times tick in this order
};

} // namespace pv
