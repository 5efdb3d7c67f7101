#include <windows.h>

#include <gtest/gtest.h>

#include "program/Program.h"
#include "runtime/system/Cp932.h"
#include "support/ChildProgram.h"
#include "support/ProgramRun.h"
#include "support/ScriptedModalUi.h"
#include "support/TempFolder.h"

namespace {

// Closes a message box with its OK button.
void PressOk(HWND box) { PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

// The program is idle once its first layout has given the list its height
// and it answers that no command runs or waits to run.
bool WaitUntilIdle(HWND form) {
    const HWND list = GetDlgItem(form, 5);
    for (int tries = 0; tries < 300; ++tries) {
        RECT rect{};
        GetWindowRect(list, &rect);
        if (rect.bottom - rect.top == 340 && test::BusyAnswer(form) == 0) return true;
        Sleep(100);
    }
    return false;
}

}  // namespace

TEST(ReportsTest, ARuntimeErrorShowsOneReportThenEndsAfterClosingFiles) {
    test::TempFolder temp;
    const std::string file = temp / "open.txt";
    test::ChildProgram program(test::ThisTestProgram(), rt::ToWide("--probe-error=" + file));

    const HWND box = program.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(test::WindowText(box), L"app_tests.EXE");
    EXPECT_EQ(test::MessageBoxText(box), L"\r\nSORATN2 [157行]:エラー[5]");
    EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
    EXPECT_NE(GetDlgItem(box, IDHELP), nullptr);
    PressOk(box);

    EXPECT_EQ(program.WaitForExit(), 0u);
    EXPECT_EQ(test::ReadBytes(file), "kept\r\n\x1A");
}

TEST(ReportsTest, AProcessorFaultIsReportedBeforeTheSystemEndsTheProgram) {
    test::ChildProgram program(test::ThisTestProgram(), L"--probe-fault");
    const HWND box = program.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(test::WindowText(box), L"MAINFORM");
    EXPECT_EQ(test::MessageBoxText(box), L"続行不可能なエラーが発生しました SORATN2 [160行]\r\n");
    EXPECT_TRUE(GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST);
    PressOk(box);
    EXPECT_NE(program.WaitForExit(), STILL_ACTIVE);
}

TEST(ReportsTest, CtrlCWhileIdleShowsTheInterruptionAndEnds) {
    for (const bool toControl : {false, true}) {
        test::ChildProgram program(test::ProgramBesideThisTest());
        const HWND window = program.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(WaitUntilIdle(window));
        // Typed into the main window itself, or into a control of it.
        const HWND target = toControl ? GetDlgItem(window, 16) : window;
        PostMessageW(target, WM_CHAR, 3, 0);

        const HWND box = program.WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(test::WindowText(box), L"SORATN2.EXE");
        EXPECT_EQ(test::MessageBoxText(box),
                  L"\r\n中断しました SORATN2[148行] \r\n任意のキーを押してください");
        PressOk(box);
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
}

TEST(ReportsTest, StopSubShowsAnExclamationBoxAndGoesOn) {
    test::ScriptedModalUi ui;
    bool returned = false;
    test::RunProgramWith({[&] {
        program::STOP_SUB("フォルダー数に関するエラー", "");
        returned = true;
    }});
    EXPECT_TRUE(returned);
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].title, L"フォルダー数に関するエラー");
    EXPECT_EQ(ui.messageBoxes[0].text, L"");
    EXPECT_EQ(ui.messageBoxes[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_NE(ui.messageBoxes[0].owner, nullptr);
}
