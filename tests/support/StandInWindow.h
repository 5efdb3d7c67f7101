#pragma once

#include <windows.h>

namespace test {

// A top-level window of its own class, standing in for the main window of a
// run in the runtime's tests; null if it could not be made.
inline HWND MakeStandInWindow(const wchar_t* className, WNDPROC procedure) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, className, L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
}

}  // namespace test
