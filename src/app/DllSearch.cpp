#include "app/DllSearch.h"

#include <windows.h>

#include "runtime/system/NewerSystemFunction.h"

namespace app {

void LimitDllSearchToTheSystemFolder() {
    // Windows 7 has the call only with its update KB2533623.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const auto setDefault =
        rt::NewerSystemFunction<SetDefaultDllDirectoriesFunction>(L"kernel32.dll", "SetDefaultDllDirectories");
    if (setDefault != nullptr && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
    // Without it, the current folder at least leaves the search.
    SetDllDirectoryW(L"");
}

}  // namespace app
