#pragma once

namespace app {

// From here on the system looks for DLLs loaded by bare name in its own
// folder only: not beside the program (a download folder may hold a planted
// DLL of a system name), not in the current folder, not along PATH. Called
// first of all, before any DLL is loaded on the program's behalf.
void LimitDllSearchToTheSystemFolder();

}  // namespace app
