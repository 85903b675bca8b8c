#pragma once
// The shop's tables are written by the ledger alone, and the file itself holds to it: on a
// file guarded by guardWrites, an INSERT, UPDATE or DELETE of a guarded table is refused
// unless a WriteScope is open on its connection. Only the ledger can open one (the key's
// constructor is the ledger's), and it opens one with every operation's transaction; a
// Transaction alone opens none. No schema change goes through a guarded connection at all,
// scope or not: creating or dropping a table, an index, a view or a trigger (temporary
// ones and those of an attached file too), altering a table, PRAGMA writable_schema.
//
// SQLite asks the guard when a statement is prepared, not when it runs, and the statement
// cache is shared and keyed by SQL text: a statement that writes a guarded table keeps that
// mark, and the cache hands it out inside a scope only. When another connection changes the
// schema (a trigger may come with it), SQLite prepares a kept statement again inside its
// step and asks again: outside a scope a guarded write is refused there, and inside one
// every statement kept before is prepared afresh at its next use, to be marked anew. A
// refusal fails as any failed write does (SQLITE_AUTH, the general Turkish reason), writes
// nothing, and logs a warning starting "write refused:", on which the tests fail.
//
// No connection the data layer opens, guarded or not, attaches a guarded file (found by
// what the name leads to, as guardWrites finds it): through another connection's attached
// schema its tables would be written past the guard. A name given as a literal is refused
// at the prepare; a bound name or an expression reaches the guard only as the statement's
// mark, so what such a statement attached is looked at as soon as it has run, and a
// guarded file is detached again before anything else runs. Either way the ATTACH fails as
// a refused write does. Other files are attached as before (the repair program's copy).
//
// Code the ledger calls back inside its transaction (the receipt laid out on the rows just
// written) runs under a ScopeSuspension: it reads the uncommitted rows, but its connection
// counts no scope, so a write of a guarded table there is refused (by a kept statement
// marked as writing one too), and so is one through a scope opened meanwhile. Nor may it
// begin, end or split the transaction under it: BEGIN, COMMIT (END), ROLLBACK, SAVEPOINT
// and RELEASE are refused there as such a write is, on any connection (a transaction's
// statement is never kept, so it is looked at each time). The ledger learns of the refusal
// from the suspension and takes the whole operation back.
#include "platform/data/Database.h"

#include <memory>
#include <span>

namespace pv::ledger
{
class LedgerWrite;
}

namespace pv
{

class WriteScope
{
public:
    class Key
    {
        friend class pv::ledger::LedgerWrite;
        Key() = default;
    };
    WriteScope(const Database &db, Key);
    ~WriteScope();
    WriteScope(const WriteScope &) = delete;
    WriteScope &operator=(const WriteScope &) = delete;

private:
    std::shared_ptr<detail::Connection> m_conn;
};

// While it lives, the write scopes of db's connection count for nothing, and so does any
// opened meanwhile. refused(): whether the guard refused anything since it began (on any
// connection: the code run under it may have opened another).
class ScopeSuspension
{
public:
    explicit ScopeSuspension(const Database &db);
    ~ScopeSuspension();
    ScopeSuspension(const ScopeSuspension &) = delete;
    ScopeSuspension &operator=(const ScopeSuspension &) = delete;
    bool refused() const;

private:
    std::shared_ptr<detail::Connection> m_conn;
    unsigned m_refusals;
};

// Guards the file at path, by what the name leads to: every read-write connection opened
// from now on on the file the name leads to at that opening (whatever name it is opened by:
// a symbolic link, a hard link, a linked folder; and whatever file a restore puts there)
// refuses writes of tables (names compared as SQL compares them) outside a WriteScope, and
// every schema change. tables must last as long as the program (a static array). A name
// that leads to no file guards nothing yet and is no error. False, and nothing guarded,
// when the file is open already, by any name, without this guard (the statements its
// connection keeps carry no marks), or attached to an open connection.
bool guardWrites(const QString &path, std::span<const char *const> tables);

} // namespace pv
