#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "program/Program.h"
#include "runtime/run/Pool.h"
#include "support/ChildProgram.h"
#include "support/ProgramDriver.h"
#include "support/ProgramRun.h"
#include "support/ProgramTest.h"
#include "support/Threads.h"

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

namespace {

using RunTest = test::ProgramTest;

void PressKeys(std::initializer_list<WORD> keys, bool down) {
    for (const WORD key : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        SendInput(1, &input, sizeof input);
    }
}

}  // namespace

// A run ended by Ctrl+C in the middle of a walk may leave its directory
// search, its scan log and its held-back captions behind; the next run in the
// same process starts afresh all the same.
TEST_F(RunTest, ARunInterruptedInTheMiddleOfAWalkLeavesNothingToTheNext) {
    const std::string big = "C:\\soratn2-limit";
    if (!test::Exists(big)) GTEST_SKIP() << "no tree of more than 32767 folders";
    Choose(big);
    bool pressed = false;
    // The limit message comes in the middle of the walk; the user presses
    // Ctrl+C while it is open and the walk goes on after it.
    // Workers list ahead of the walk when Ctrl+C ends it; at the report the
    // run's pool has no more threads than it may start, and after the run
    // none is left.
    int threadsBefore = 0;
    int threadsAtTheReport = 0;
    ui.whileShown = [&] {
        if (pressed) {
            threadsAtTheReport = test::ThreadsOfThisProcess();
            return;
        }
        pressed = true;
        SetForegroundWindow(program::MAINFORM.window);
        SetFocus(program::MAINFORM.window);
        PressKeys({VK_CONTROL, 'C'}, true);
    };
    test::RunProgramWith({[&] {
        threadsBefore = test::ThreadsOfThisProcess();
        test::Click(program::BUTTON5);
    }});
    EXPECT_LE(threadsAtTheReport, threadsBefore + rt::DefaultAheadThreads() + 1);
    EXPECT_EQ(test::ThreadsOfThisProcess(), threadsBefore);
    PressKeys({'C', VK_CONTROL}, false);
    ASSERT_EQ(ui.messageBoxes.size(), 2u);
    const std::wstring report = ui.messageBoxes[1].text;
    ASSERT_EQ(report.substr(0, 17), L"\r\n中断しました SORATN2[");
    // The report names the walk's statement, or the message's just before it.
    const int line = std::stoi(report.substr(17));
    EXPECT_TRUE(line == 300 || (line >= 1000 && line <= 1051)) << line;
    EXPECT_EQ(ScanLog().back(), '\x1A');

    // The scan made the source the current folder; a new process would start
    // where it was started.
    rt::ChangeFolder(start.Path());
    ui.whileShown = nullptr;
    test::MakeFolders(source / "A\\B");
    Choose(source.Path());
    test::RunProgramWith({
        [] { test::Click(program::BUTTON5); },
        [] { EXPECT_EQ(test::Highlighted(), (std::vector<std::string>{"A", "A\\B"})); },
    });
    EXPECT_EQ(ui.messageBoxes.size(), 2u);
    EXPECT_EQ(ScanLog(), test::LogLine(source.Path() + "\\") + test::LogLine(source / "A") +
                             test::LogLine(source / "A\\B") + "\x1A");
}
