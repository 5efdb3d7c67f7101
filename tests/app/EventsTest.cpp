#include <windows.h>

#include <gtest/gtest.h>

#include "program/Program.h"
#include "runtime/run/EventQueue.h"
#include "runtime/run/StatementPoll.h"
#include "support/ProgramRun.h"

TEST(EventsTest, ClicksDuringAProcedureRunAfterItInArrivalOrder) {
    test::RunProgramWith({
        [] {
            program::SET_BUTTON(-1);
            // Five clicks that shrink the text to its limit, then one that
            // grows it: 11 in this order, 10 in any other.
            for (int click = 0; click < 5; ++click) SendMessageW(program::BUTTON1.window, BM_CLICK, 0, 0);
            SendMessageW(program::BUTTON2.window, BM_CLICK, 0, 0);
            EXPECT_EQ(program::textSize, 14);
        },
        [] { EXPECT_EQ(program::textSize, 11); },
    });
}

TEST(EventsTest, ClicksOnStaticTextsAndTheListDoNothing) {
    test::RunProgramWith({
        [] {
            SendMessageW(program::TEXT2.window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            SendMessageW(program::TEXT2.window, WM_LBUTTONUP, 0, 0);
            SendMessageW(program::MAINFORM.window, WM_COMMAND, MAKEWPARAM(5, LBN_DBLCLK),
                         reinterpret_cast<LPARAM>(program::LIST1.window));
            SendMessageW(program::MAINFORM.window, WM_COMMAND, MAKEWPARAM(16, EN_CHANGE),
                         reinterpret_cast<LPARAM>(program::EDIT1.window));
            EXPECT_EQ(rt::QueuedEvents(), 0u);
        },
    });
}
