#pragma once
// How the whole process allocates memory: set once by each program's main, before anything
// else runs, never by a library on its own.
#include "platform/components/Export.h"

namespace pv
{

// Call first thing in main(). Does nothing where the C library is not glibc.
PV_COMPONENTS_EXPORT void setProcessMemoryPolicy();

} // namespace pv
