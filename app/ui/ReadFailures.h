#pragma once
// A window's failed reads. A read that fails is told ("<head>" + the engine's reason, title
// "Hata") when the failing starts, not again at every re-read while the file stays
// unreadable; a pass of reads that all work ends it, and a user's command may ask to be
// told again. Whatever the window would show or write from a failed read it leaves out.
//
//   m_reads.beginPass();
//   m_reads.check(*Data1, Data1->Refresh());
//   const auto t = pv::ledger::cashTotals(...);
//   if (m_reads.check(t.error)) showTotals(t);
//   m_reads.endPass();
#include <QString>

#include <utility>

namespace pv
{
class DataControl;
}

namespace ui
{

class ReadFailures
{
public:
    explicit ReadFailures(QString head) : m_head(std::move(head)) {}

    // True when the control's rows were read: refreshed is what Refresh() answered, and a
    // row it could not read later counts too.
    bool check(pv::DataControl &dc, bool refreshed);
    // True for an empty reason (the read worked).
    bool check(const QString &reason);

    // A pass over the window's reads; one that had no failure ends the failing.
    void beginPass() { m_passFailed = false; }
    void endPass();
    bool passFailed() const { return m_passFailed; }
    // The next failure is told even when the failing goes on (a command the user gave).
    void tellAgain() { m_reason.clear(); }
    // Why the reads fail; empty when they work.
    const QString &reason() const { return m_reason; }

private:
    void failed(const QString &reason);

    QString m_head;
    QString m_reason;
    bool m_passFailed = false;
};

} // namespace ui
