#include "shell/DisplayScale.h"

#include "runtime/system/NewerSystemFunction.h"
#include "shell/MainWindow.h"

namespace shell {

namespace {

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

int FormDpi() {
    const MainForm* form = TheForm();
    return form != nullptr ? form->Dpi() : kProgramDpi;
}

int ToScreen(int programPixels) { return MulDiv(programPixels, FormDpi(), kProgramDpi); }

int ToProgram(int screenPixels) { return MulDiv(screenPixels, kProgramDpi, FormDpi()); }

int MetricAtFormDpi(int index) {
    using MetricForDpi = int(WINAPI*)(int, UINT);
    static const auto metricForDpi = rt::NewerSystemFunction<MetricForDpi>(L"user32.dll", "GetSystemMetricsForDpi");
    if (metricForDpi == nullptr) return GetSystemMetrics(index);
    return metricForDpi(index, static_cast<UINT>(FormDpi()));
}

}  // namespace shell
