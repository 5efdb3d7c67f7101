#include "shell/Controls.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "program/Program.h"
#include "support/ErrorOf.h"
#include "support/ProgramRun.h"
#include "support/ScriptedModalUi.h"

using test::ErrorOf;

TEST(ControlsTest, HandlesMustBeBoundToAWindowThatStillExists) {
    const shell::ControlHandle unbound;
    EXPECT_EQ(ErrorOf([&] { shell::SetCaption(unbound, "x"); }), 1000);
    EXPECT_EQ(ErrorOf([&] { shell::ReadText(unbound); }), 1000);
    EXPECT_EQ(ErrorOf([&] { shell::EnableControl(unbound, -1); }), 1000);
    EXPECT_EQ(ErrorOf([&] { shell::WindowWidth(unbound); }), 1000);
    shell::ControlHandle gone;
    EXPECT_EQ(ErrorOf([&] { shell::BindHandle(gone, nullptr); }), 1005);
    gone.window = reinterpret_cast<HWND>(0x7654);
    EXPECT_EQ(ErrorOf([&] { shell::SetTextSize(gone, 14); }), 1000);
}

TEST(ControlsTest, ControlsAreFoundByNameWithoutRegardToCase) {
    test::RunProgramWith({[] {
        using program::MAINFORM;
        EXPECT_EQ(shell::FindControl(&MAINFORM, "edit1"), program::EDIT1.window);
        EXPECT_EQ(shell::FindControl(nullptr, "MainForm"), MAINFORM.window);
        EXPECT_EQ(ErrorOf([&] { shell::FindControl(&MAINFORM, "TEXT8"); }), 1013);
        EXPECT_EQ(ErrorOf([&] { shell::FindControl(&MAINFORM, ""); }), 5);
        EXPECT_EQ(ErrorOf([&] { shell::FindControl(&MAINFORM, std::string(22, 'A')); }), 5);
        EXPECT_EQ(ErrorOf([&] { shell::FindControl(nullptr, "TEXT1"); }), 1013);
    }});
}

TEST(ControlsTest, CaptionsAndTextsTravelAsCodePage932) {
    test::RunProgramWith({
        [] {
            shell::SetCaption(program::TEXT6, "C:\\データ\\ソ表\\");
            EXPECT_EQ(shell::ReadText(program::TEXT6), "C:\\データ\\ソ表\\");
        },
        [] {
            // The control has the text once the procedure that set it has returned.
            wchar_t text[32] = L"";
            GetWindowTextW(program::TEXT6.window, text, 32);
            EXPECT_STREQ(text, L"C:\\\u30C7\u30FC\u30BF\\\u30BD\u8868\\");
        },
    });
}

TEST(ControlsTest, EnableTakesOnlyTrueAndFalse) {
    test::RunProgramWith({[] {
        shell::EnableControl(program::BUTTON3, -1);
        EXPECT_TRUE(IsWindowEnabled(program::BUTTON3.window));
        shell::EnableControl(program::BUTTON3, 0);
        EXPECT_FALSE(IsWindowEnabled(program::BUTTON3.window));
        EXPECT_EQ(ErrorOf([] { shell::EnableControl(program::BUTTON3, 1); }), 5);
        EXPECT_EQ(ErrorOf([] { shell::SetWindowSize(program::TEXT1, 1e300L, 10); }), 1005);
    }});
}

TEST(ControlsTest, TheFileDialogBelongsToTheForm) {
    test::ScriptedModalUi ui;
    test::RunProgramWith({[] {
        EXPECT_EQ(ErrorOf([] { shell::FileDialog(program::BUTTON5, "t", "DUMMY", "", 1); }), 1002);
        EXPECT_EQ(ErrorOf([] { shell::FileDialog(shell::ControlHandle{}, "t", "DUMMY", "", 1); }), 1000);
        EXPECT_EQ(shell::FileDialog(program::MAINFORM, "コピー元になる場所は？", "DUMMY", "", 1), "\x1B");
    }});
    EXPECT_TRUE(ui.messageBoxes.empty());
    ASSERT_EQ(ui.saveDialogs.size(), 1u);
    EXPECT_NE(ui.saveDialogs[0].owner, nullptr);
    EXPECT_EQ(ui.saveDialogs[0].title, L"コピー元になる場所は？");
}
