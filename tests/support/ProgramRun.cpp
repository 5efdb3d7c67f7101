#include "support/ProgramRun.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>

#include "app/Startup.h"
#include "runtime/run/EventQueue.h"
#include "runtime/run/RunHooks.h"
#include "runtime/run/StatementPoll.h"

namespace test {

namespace {

constexpr UINT kNextStep = WM_APP + 1;
constexpr UINT_PTR kRetryTimer = 1;

struct Script {
    std::vector<std::function<void()>> steps;
    std::size_t next = 0;
    HWND window = nullptr;
};

Script* running = nullptr;

// A step is queued only when its message comes through and no event waits,
// so everything the previous step caused has run before it. While events
// wait, a timer asks again: a timer message comes only once the posted ones
// are through, so the program's own message loop is never kept busy by it.
LRESULT CALLBACK ScriptProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) KillTimer(window, kRetryTimer);
    if ((message != kNextStep && message != WM_TIMER) || running == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    Script& script = *running;
    if (rt::QueuedEvents() > 0) {
        SetTimer(window, kRetryTimer, USER_TIMER_MINIMUM, nullptr);
        return 0;
    }
    if (script.next == script.steps.size()) {
        DestroyWindow(rt::MainWindow());
        return 0;
    }
    rt::QueueEvent([&script] {
        script.steps[script.next++]();
        PostMessageW(script.window, kNextStep, 0, 0);
    });
    return 0;
}

}  // namespace

int RunProgramWith(std::vector<std::function<void()>> steps) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ScriptProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"SORATN2.TestScript";
    RegisterClassW(&windowClass);

    Script script{std::move(steps)};
    script.window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                    nullptr, windowClass.hInstance, nullptr);
    running = &script;
    PostMessageW(script.window, kNextStep, 0, 0);
    const int exitCode = app::RunProgram(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
    running = nullptr;
    EXPECT_EQ(script.next, script.steps.size())
        << "the program ended before every step had run, at line " << rt::CurrentLine();
    // The closed window's quit request may still wait; it must not end the
    // next run at its first statement.
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    DestroyWindow(script.window);
    return exitCode;
}

}  // namespace test
