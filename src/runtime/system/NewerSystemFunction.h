#pragma once

#include <windows.h>

namespace rt {

// A function of a system DLL the program has loaded that older systems lack,
// or null there. It is looked up rather than imported: an import the system
// lacks would keep the program from starting at all.
template <typename Function>
Function NewerSystemFunction(const wchar_t* dll, const char* name) {
    const FARPROC found = GetProcAddress(GetModuleHandleW(dll), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

}  // namespace rt
