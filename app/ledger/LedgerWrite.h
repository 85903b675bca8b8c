#pragma once
// The ledger's key to the shop's tables, for the ledger's own sources alone. The program's
// shop file is guarded (ShopFile.h): its connection refuses every write of a shop table
// outside a write scope, and only the ledger opens one, with each operation's transaction
// (LedgerTransaction). A piece that writes inside its caller's transaction (addRow,
// writeCashRow, takeReceiptNumber, ...) opens none: it takes that transaction as a parameter,
// so nothing can call it without one, and no file outside app/ledger can name one.
#include "platform/data/Database.h"
#include "platform/data/WriteScope.h"

namespace pv::ledger
{

class LedgerWrite
{
public:
    static pv::WriteScope scope(const pv::Database &db) { return pv::WriteScope(db, pv::WriteScope::Key()); }
};

// A ledger operation's transaction: a pv::Transaction with the write scope open for as long
// as it lives.
class LedgerTransaction
{
public:
    explicit LedgerTransaction(pv::Database &db) : m_scope(LedgerWrite::scope(db)), m_tx(db) {}
    bool isActive() const { return m_tx.isActive(); }
    bool commit() { return m_tx.commit(); }
    void rollback() { m_tx.rollback(); }
    const pv::DbError &lastError() const { return m_tx.lastError(); }

private:
    pv::WriteScope m_scope; // opened first, closed after the transaction's end
    pv::Transaction m_tx;
};

} // namespace pv::ledger
