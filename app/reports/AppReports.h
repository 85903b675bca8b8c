#pragma once
// The report layouts of the program, compiled in as resources, with their handlers.

namespace pv
{

// Registers every layout with pv::Reports; call once at start-up (the program's main and
// each test program) before the first pv::Reports::get. Calling it again does nothing.
void registerAppReports();

} // namespace pv
