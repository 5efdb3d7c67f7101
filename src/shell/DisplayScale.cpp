#include "shell/DisplayScale.h"

namespace shell {

namespace {

int formDpi = kProgramDpi;

// A function of user32 that older systems lack, or null there: linking to
// it would keep the program from starting on them.
template <typename Function>
Function NewerUser32Function(const char* name) {
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace

int SystemDpiOf(HWND window) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = NewerUser32Function<DpiForWindow>("GetDpiForWindow");
    const int dpi = dpiForWindow != nullptr ? static_cast<int>(dpiForWindow(window)) : 0;
    return dpi > 0 ? dpi : ScreenDpi();
}

int FormDpi() { return formDpi; }

void SetFormDpi(int dpi) { formDpi = dpi; }

int ToScreen(int programPixels) { return MulDiv(programPixels, formDpi, kProgramDpi); }

int ToProgram(int screenPixels) { return MulDiv(screenPixels, kProgramDpi, formDpi); }

int MetricAtFormDpi(int index) {
    using MetricForDpi = int(WINAPI*)(int, UINT);
    static const auto metricForDpi = NewerUser32Function<MetricForDpi>("GetSystemMetricsForDpi");
    if (metricForDpi == nullptr) return GetSystemMetrics(index);
    return metricForDpi(index, static_cast<UINT>(formDpi));
}

}  // namespace shell
