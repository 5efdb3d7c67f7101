#pragma once

#include <windows.h>

#include <string_view>

namespace shell {

// Whether the window is of the system class `name`; letter case is ignored,
// as the system ignores it in class names.
inline bool HasClass(HWND window, std::wstring_view name) {
    wchar_t className[32] = L"";
    GetClassNameW(window, className, 32);
    return CompareStringOrdinal(className, -1, name.data(), static_cast<int>(name.size()), TRUE) ==
           CSTR_EQUAL;
}

}  // namespace shell
