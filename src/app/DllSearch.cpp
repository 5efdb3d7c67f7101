#include "app/DllSearch.h"

#include <windows.h>

namespace app {

void LimitDllSearchToTheSystemFolder() {
    // Windows 7 has the call only with its update KB2533623, so it is looked
    // up rather than imported: an import the system lacks would keep the
    // program from starting at all.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (setDefault != nullptr && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
    // Without it, the current folder at least leaves the search.
    SetDllDirectoryW(L"");
}

}  // namespace app
