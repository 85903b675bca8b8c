#pragma once
// The repair program as a program: its name and message-box title, the running-instance
// check, and its window.

namespace repair
{

inline constexpr const char kProgramName[] = "bvRepair";

// Names the program "bvRepair" (application name and message-box title).
void setUpProgram();
// The program's start after the application object exists: a second bvRepair on the
// same database file (from this folder or one whose file links to it) ends silently
// (false); otherwise the window is shown (true).
bool startProgram();

} // namespace repair
