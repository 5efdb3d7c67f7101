#include "shell/DisplayScale.h"

#include "runtime/system/NewerSystemFunction.h"

namespace shell {

namespace {

int formDpi = kProgramDpi;

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace

int SystemDpiOf(HWND window) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = rt::NewerSystemFunction<DpiForWindow>(L"user32.dll", "GetDpiForWindow");
    const int dpi = dpiForWindow != nullptr ? static_cast<int>(dpiForWindow(window)) : 0;
    return dpi > 0 ? dpi : ScreenDpi();
}

int FormDpi() { return formDpi; }

void SetFormDpi(int dpi) { formDpi = dpi; }

int ToScreen(int programPixels) { return MulDiv(programPixels, formDpi, kProgramDpi); }

int ToProgram(int screenPixels) { return MulDiv(screenPixels, kProgramDpi, formDpi); }

int MetricAtFormDpi(int index) {
    using MetricForDpi = int(WINAPI*)(int, UINT);
    static const auto metricForDpi = rt::NewerSystemFunction<MetricForDpi>(L"user32.dll", "GetSystemMetricsForDpi");
    if (metricForDpi == nullptr) return GetSystemMetrics(index);
    return metricForDpi(index, static_cast<UINT>(formDpi));
}

}  // namespace shell
