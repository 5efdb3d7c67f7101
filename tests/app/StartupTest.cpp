#include <windows.h>

#include <gtest/gtest.h>

#include "app/ChildProgram.h"

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
