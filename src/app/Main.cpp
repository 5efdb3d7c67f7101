#include <windows.h>

#include "runtime/OpenFiles.h"
#include "runtime/RuntimeError.h"

namespace {

constexpr wchar_t kWindowClass[] = L"SORATN2.MAINFORM";
constexpr int kFormWidth = 700;
constexpr int kFormHeight = 550;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showState) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kWindowClass;
    if (!RegisterClassW(&windowClass)) return 0;

    const int x = (GetSystemMetrics(SM_CXSCREEN) - kFormWidth) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - kFormHeight) / 2;
    HWND window = CreateWindowExW(0, kWindowClass, L"MAINFORM", WS_OVERLAPPEDWINDOW, x, y,
                                  kFormWidth, kFormHeight, nullptr, nullptr, instance, nullptr);
    if (!window) return 0;
    ShowWindow(window, showState);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    try {
        rt::CloseFiles();
    } catch (const rt::RuntimeError&) {
        // The program is ending; every file has been closed all the same.
    }
    return 0;
}
