#pragma once
// The shop's tables are written by the ledger alone, and the file itself holds to it: on a
// file guarded by guardWrites, an INSERT, UPDATE or DELETE of a guarded table is refused
// unless a WriteScope is open on its connection. Only the ledger can open one (the key's
// constructor is the ledger's), and it opens one with every operation's transaction; a
// Transaction alone opens none.
//
// SQLite asks the guard when a statement is prepared, not when it runs, and the statement
// cache is shared and keyed by SQL text: a statement that writes a guarded table keeps that
// mark, and the cache hands it out inside a scope only. A refused write fails as any failed
// write does (SQLITE_AUTH, the general Turkish reason), writes nothing, and logs a warning
// starting "write refused:", on which the tests fail.
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

// Guards the file at path: every connection opened on it from now on refuses writes of
// tables (names compared as SQL compares them) outside a WriteScope. tables must last as
// long as the program (a static array). False, and nothing guarded, when the file is open
// already: the statements it keeps carry no marks.
bool guardWrites(const QString &path, std::span<const char *const> tables);

} // namespace pv
