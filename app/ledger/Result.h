#pragma once
// What a posting operation answers: done, or one Turkish reason the window can show.
#include <QString>

namespace pv::ledger
{

struct Result {
    bool ok = true;
    QString reason; // empty when ok

    static Result success() { return {}; }
    static Result failure(const QString &why) { return {false, why}; }
    explicit operator bool() const { return ok; }
};

} // namespace pv::ledger
