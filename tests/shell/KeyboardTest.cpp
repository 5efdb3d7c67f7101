#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "program/Program.h"
#include "support/ProgramRun.h"

namespace {

void Post(const program::ControlHandle& control, UINT message, WPARAM key) {
    const LPARAM repeatCount = 1;
    const LPARAM released = message == WM_KEYUP ? (3L << 30) : 0;
    PostMessageW(control.window, message, key, repeatCount | released);
}

void Press(const program::ControlHandle& control, WPARAM key) {
    Post(control, WM_KEYDOWN, key);
    Post(control, WM_KEYUP, key);
}

// Holds a modifier down in this thread's keyboard state for the next key.
void Hold(int modifier, bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[modifier] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

}  // namespace

// Tab (or Shift+Tab) pressed on one control, and where the focus goes.
struct TabRow {
    const program::ControlHandle* from;
    bool backwards;
    const program::ControlHandle* to;
};

TEST(KeyboardTest, TabMovesThroughEnabledTabStopsInTableOrderAndWraps) {
    using namespace program;
    // BUTTON7 to BUTTON9 and LIST1 start disabled.
    const std::vector<TabRow> atStart = {
        {&BUTTON5, false, &BUTTON6}, {&BUTTON6, false, &CHECK1}, {&CHECK1, false, &EDIT1},
        {&EDIT1, false, &BUTTON5},   {&BUTTON5, true, &EDIT1},
    };
    // With the list commands enabled: past the disabled BUTTON7 and BUTTON9,
    // around to LIST1.
    const std::vector<TabRow> withTheList = {
        {&EDIT1, false, &BUTTON8}, {&BUTTON8, false, &LIST1}, {&LIST1, true, &BUTTON8},
    };
    for (const std::vector<TabRow>* rows : {&atStart, &withTheList}) {
        std::vector<std::function<void()>> steps;
        for (const TabRow& row : *rows) {
            steps.push_back([&row, rows, &withTheList] {
                if (rows == &withTheList) SET_BUTTON(-1);
                SetFocus(row.from->window);
                Hold(VK_SHIFT, row.backwards);
                Press(*row.from, VK_TAB);
            });
            steps.push_back([&row] {
                Hold(VK_SHIFT, false);
                EXPECT_EQ(GetDlgCtrlID(GetFocus()), GetDlgCtrlID(row.to->window))
                    << "from " << GetDlgCtrlID(row.from->window) << (row.backwards ? " backwards" : "");
            });
        }
        test::RunProgramWith(std::move(steps));
    }
}

TEST(KeyboardTest, EnterClicksTheFocusedButtonOnceOnKeyUp) {
    using namespace program;
    test::RunProgramWith({
        [] {
            SET_BUTTON(-1);
            SetFocus(BUTTON2.window);
            Post(BUTTON2, WM_KEYDOWN, VK_RETURN);
        },
        [] {
            EXPECT_EQ(textSize, 14);
            EXPECT_TRUE(SendMessageW(BUTTON2.window, BM_GETSTATE, 0, 0) & BST_PUSHED);
            Post(BUTTON2, WM_KEYUP, VK_RETURN);
        },
        [] {
            EXPECT_EQ(textSize, 15);
            EXPECT_FALSE(SendMessageW(BUTTON2.window, BM_GETSTATE, 0, 0) & BST_PUSHED);
            // A key-up without its key-down on this button clicks nothing.
            Post(BUTTON2, WM_KEYUP, VK_RETURN);
        },
        [] {
            EXPECT_EQ(textSize, 15);
            Press(BUTTON2, VK_SPACE);
        },
        [] {
            EXPECT_EQ(textSize, 16);
            SetFocus(CHECK1.window);
            Press(CHECK1, VK_SPACE);
        },
        [] { EXPECT_EQ(SendMessageW(CHECK1.window, BM_GETCHECK, 0, 0), BST_CHECKED); },
    });
}

TEST(KeyboardTest, DisabledControlsSwallowTheKeys) {
    using namespace program;
    test::RunProgramWith({
        [] {
            SET_BUTTON(-1);
            SetFocus(BUTTON2.window);
            EnableWindow(BUTTON2.window, FALSE);
            Press(BUTTON2, VK_RETURN);
            Press(BUTTON2, VK_TAB);
        },
        [] {
            EXPECT_EQ(textSize, 14);
            EXPECT_NE(GetFocus(), BUTTON4.window);
        },
    });
}

TEST(KeyboardTest, CtrlTabTypesATabIntoTheEditBox) {
    using namespace program;
    test::RunProgramWith({
        [] {
            SetFocus(EDIT1.window);
            Hold(VK_CONTROL, true);
            Post(EDIT1, WM_KEYDOWN, VK_TAB);
        },
        [] {
            Hold(VK_CONTROL, false);
            Post(EDIT1, WM_KEYUP, VK_TAB);
            EXPECT_EQ(GetFocus(), EDIT1.window);
            EXPECT_EQ(shell::ReadText(EDIT1), "\t");
        },
    });
}
