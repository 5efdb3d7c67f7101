#include <windows.h>

#include <gtest/gtest.h>

#include "support/ChildProgram.h"

TEST(StartupTest, ShowsItsWindowAndEndsWithExitCodeZeroWhenClosed) {
    test::ChildProgram program(test::ProgramBesideThisTest());
    const HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    RECT bounds{};
    GetWindowRect(window, &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 700);
    EXPECT_EQ(bounds.bottom - bounds.top, 550);

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

namespace {

ULONGLONG ProcessorTime(HANDLE process) {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(process, &created, &exited, &kernel, &user);
    const auto ticks = [](FILETIME time) {
        return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return ticks(kernel) + ticks(user);
}

}  // namespace

TEST(StartupTest, AnIdleProgramAnswersAtOnceAndUsesNoProcessorTime) {
    test::ChildProgram program(test::ProgramBesideThisTest());
    const HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    Sleep(500);

    const ULONGLONG before = ProcessorTime(program.Process());
    Sleep(3000);
    const ULONGLONG used = ProcessorTime(program.Process()) - before;
    // Waking every millisecond to look for work costs about 150 ms in 3 s
    // under Wine; an idle program costs at most a clock tick or two.
    EXPECT_LT(used, 600'000u) << used / 10'000 << " ms in 3 s";

    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer), 0);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}
