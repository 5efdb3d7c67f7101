#include <windows.h>

#include <gtest/gtest.h>

#include "program/Program.h"
#include "support/ProgramRun.h"
#include "support/WindowGeometry.h"

namespace {

using test::OuterSize;
using test::Resize;

void Click(const program::ControlHandle& button) { SendMessageW(button.window, BM_CLICK, 0, 0); }

bool Enabled(const program::ControlHandle& control) { return IsWindowEnabled(control.window) != FALSE; }

LONG ListFontHeight() {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(program::LIST1.window, WM_GETFONT, 0, 0)),
               sizeof font, &font);
    return -font.lfHeight;
}

// The list and the two path texts follow a window of this outer size.
void ExpectLayoutFor(int width, int height) {
    const SIZE form = OuterSize(program::MAINFORM.window);
    EXPECT_EQ(form.cx, width);
    EXPECT_EQ(form.cy, height);
    const SIZE list = OuterSize(program::LIST1.window);
    EXPECT_EQ(list.cx, width - 50);
    EXPECT_EQ(list.cy, height - 210);
    for (const program::ControlHandle* text : {&program::TEXT6, &program::TEXT7}) {
        const SIZE size = OuterSize(text->window);
        EXPECT_EQ(size.cx, width - 160);
        EXPECT_EQ(size.cy, 18);
    }
}

}  // namespace

TEST(LayoutTest, TheWindowSnapsBackToItsMinimumSize) {
    test::RunProgramWith({
        [] { Resize(program::MAINFORM.window, 600, 400); },
        [] { ExpectLayoutFor(700, 550); },
        [] { Resize(program::MAINFORM.window, 800, 400); },
        [] { ExpectLayoutFor(800, 550); },
        [] { Resize(program::MAINFORM.window, 650, 700); },
        [] { ExpectLayoutFor(700, 700); },
    });
}

TEST(LayoutTest, TheListAndThePathTextsFollowTheWindow) {
    test::RunProgramWith({
        [] { ExpectLayoutFor(700, 550); },
        [] { Resize(program::MAINFORM.window, 900, 720); },
        [] { ExpectLayoutFor(900, 720); },
        [] { ShowWindow(program::MAINFORM.window, SW_MAXIMIZE); },
        [] {
            const SIZE form = OuterSize(program::MAINFORM.window);
            EXPECT_GT(form.cx, 900);
            ExpectLayoutFor(form.cx, form.cy);
        },
        [] { ShowWindow(program::MAINFORM.window, SW_RESTORE); },
        [] { ExpectLayoutFor(900, 720); },
    });
}

TEST(LayoutTest, MinimisingAndRestoringLeavesTheLayoutAsItWas) {
    test::RunProgramWith({
        [] { Resize(program::MAINFORM.window, 820, 600); },
        [] { ShowWindow(program::MAINFORM.window, SW_MINIMIZE); },
        [] {
            EXPECT_TRUE(IsIconic(program::MAINFORM.window));
            EXPECT_EQ(program::formWidth, 820);
            EXPECT_EQ(program::formHeight, 600);
        },
        [] { ShowWindow(program::MAINFORM.window, SW_RESTORE); },
        [] { ExpectLayoutFor(820, 600); },
    });
}

TEST(LayoutTest, TheTextSizeButtonsStopAtTenAndTwentyFour) {
    test::RunProgramWith({
        [] {
            program::SET_BUTTON(-1);
            for (int click = 0; click < 4; ++click) Click(program::BUTTON1);
        },
        [] {
            EXPECT_EQ(program::textSize, 10);
            EXPECT_EQ(ListFontHeight(), 10);
            EXPECT_FALSE(Enabled(program::BUTTON1));
            EXPECT_TRUE(Enabled(program::BUTTON2));
            ExpectLayoutFor(700, 550);
            // Enabled again at the limit, the button keeps the limit.
            program::SET_BUTTON(-1);
            Click(program::BUTTON1);
        },
        [] {
            EXPECT_EQ(program::textSize, 10);
            EXPECT_FALSE(Enabled(program::BUTTON1));
            for (int click = 0; click < 14; ++click) Click(program::BUTTON2);
        },
        [] {
            EXPECT_EQ(program::textSize, 24);
            EXPECT_EQ(ListFontHeight(), 24);
            EXPECT_FALSE(Enabled(program::BUTTON2));
            EXPECT_TRUE(Enabled(program::BUTTON1));
            ExpectLayoutFor(700, 550);
            Click(program::BUTTON1);
        },
        [] {
            EXPECT_EQ(program::textSize, 23);
            EXPECT_TRUE(Enabled(program::BUTTON2));
        },
    });
}
