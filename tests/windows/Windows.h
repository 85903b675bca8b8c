#pragma once
// Every window and panel state the harness can open, for the tests that look at each of
// them (the caption-fit test, the widget-tree record). Each entry has a name and an
// opener: given a fresh harness filled by shop(), it opens the window as the user first
// sees it (or after the user's steps that open a panel) and hands it to `check` while it
// is up. Modal windows are handed over from inside their own loop.
//
// To cover a new window or panel, add one line to windows().
#include "tests/harness/Harness.h"

#include <QList>
#include <functional>

class QWidget;

namespace pv::test
{

using Check = std::function<void(QWidget *)>;
using Opener = std::function<void(Harness &, const Check &)>;

struct Window {
    const char *name;
    Opener open;
};

QList<Window> windows();

// Customers with long names and the widest letters, some overdue, a bank account: what
// every window is opened on.
void shop(Harness &h);

} // namespace pv::test
