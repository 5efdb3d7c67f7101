// The smallest Win32 window program: the benchmark's baseline for memory.
// Started with "dialog" it also opens the system's save dialog once, as the
// program does, so that what the dialog costs can be told apart.
#include <windows.h>

#include <commdlg.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showState) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcW(window, message, wParam, lParam);
    };
    windowClass.hInstance = instance;
    // The benchmark finds the window by the program's own class name.
    windowClass.lpszClassName = L"SORATN2.MAINFORM";
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"empty", WS_OVERLAPPEDWINDOW, 0, 0, 700,
                                        550, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, showState);
    // The dialog's library is loaded only when it is wanted, so that the
    // plain empty program carries none of it.
    const HMODULE dialogs = std::strstr(commandLine, "dialog") != nullptr ? LoadLibraryW(L"comdlg32.dll") : nullptr;
    const auto getSaveFileName = dialogs != nullptr
        ? reinterpret_cast<BOOL(WINAPI*)(OPENFILENAMEW*)>(
              reinterpret_cast<void (*)()>(GetProcAddress(dialogs, "GetSaveFileNameW")))
        : nullptr;
    if (getSaveFileName != nullptr) {
        wchar_t file[MAX_PATH] = L"DUMMY";
        OPENFILENAMEW dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = window;
        dialog.lpstrFilter = L"(*.*)\0*.*\0";
        dialog.lpstrFile = file;
        dialog.nMaxFile = MAX_PATH;
        dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
        getSaveFileName(&dialog);
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
