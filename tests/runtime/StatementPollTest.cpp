#include "runtime/StatementPoll.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr UINT kProbe = WM_APP + 7;

int delivered = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProbe) {
        ++delivered;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A window that counts the probe messages delivered to it, standing in for
// the main window.
class StatementPollTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = CountingProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"SORATN2.PollTest";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                  100, nullptr, nullptr, windowClass.hInstance, nullptr);
        ASSERT_NE(window_, nullptr);
        rt::ResetStatementPoll();
        rt::SetMainWindow(window_);
        delivered = 0;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }

    void TearDown() override {
        rt::SetMainWindow(nullptr);
        DestroyWindow(window_);
        rt::ResetStatementPoll();
    }

    // The statements (1-based) during which a message posted just before
    // them was delivered.
    std::vector<int> PumpingStatements(int statements) {
        std::vector<int> pumping;
        for (int statement = 1; statement <= statements; ++statement) {
            const int before = delivered;
            PostMessageW(window_, kProbe, 0, 0);
            rt::Line(statement);
            if (delivered > before) pumping.push_back(statement);
        }
        return pumping;
    }

    HWND window_ = nullptr;
};

}  // namespace

TEST_F(StatementPollTest, PumpsAtTheFirstStatementThenWhenTenMillisecondsHavePassed) {
    EXPECT_EQ(PumpingStatements(25), std::vector<int>{1});
    EXPECT_EQ(rt::CurrentLine(), 25);
    Sleep(20);
    EXPECT_EQ(PumpingStatements(2), std::vector<int>{1});
    rt::PollAtNextStatement();
    EXPECT_EQ(PumpingStatements(2), std::vector<int>{1});
}

TEST_F(StatementPollTest, DeliversNothingWhileAnEventProcedureRuns) {
    std::vector<int> pumping;
    rt::QueueEvent([&] {
        pumping = PumpingStatements(25);
        Sleep(20);
        for (int statement = 26; statement <= 50; ++statement) rt::Line(statement);
    });
    rt::WaitForEvents();
    EXPECT_TRUE(pumping.empty());
    EXPECT_EQ(delivered, 0);
    // What waited is delivered by the first pump after the procedure.
    Sleep(20);
    rt::Line(100);
    EXPECT_EQ(delivered, 25);
}

// What the program learns of its windows holds while the stillness stays:
// between two looks of the poll within one procedure, and never outside one.
TEST_F(StatementPollTest, StillnessChangesWhereverAMessageCouldComeThrough) {
    std::vector<std::uint64_t> seen;
    bool quick = false;
    rt::QueueEvent([&] {
        const ULONGLONG start = GetTickCount64();
        rt::Line(1);
        seen.push_back(rt::Stillness());
        rt::Line(2);
        seen.push_back(rt::Stillness());
        quick = GetTickCount64() - start < 10;
        // Under Wine the tick count may stand still while the process asks
        // the window system nothing; a posted message asks it something.
        for (int tries = 0; tries < 100 && rt::Stillness() == seen[1]; ++tries) {
            Sleep(5);
            PostMessageW(window_, WM_NULL, 0, 0);
            rt::Line(3);
        }
        seen.push_back(rt::Stillness());
        rt::PollAtNextStatement();
        seen.push_back(rt::Stillness());
    });
    EXPECT_EQ(rt::Stillness(), 0u);
    rt::WaitForEvents();
    EXPECT_EQ(rt::Stillness(), 0u);
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_NE(seen[0], 0u);
    if (quick) {
        EXPECT_EQ(seen[1], seen[0]);
    }
    EXPECT_NE(seen[2], seen[1]);
    EXPECT_NE(seen[3], seen[2]);
    std::uint64_t next = 0;
    rt::QueueEvent([&] { next = rt::Stillness(); });
    rt::WaitForEvents();
    EXPECT_NE(next, seen[3]);
    EXPECT_NE(next, 0u);
}

TEST_F(StatementPollTest, RunsEventsOneAtATimeInArrivalOrder) {
    std::vector<int> ran;
    for (int event = 0; event < 3; ++event) rt::QueueEvent([&ran, event] { ran.push_back(event); });
    rt::WaitForEvents();
    EXPECT_EQ(ran, std::vector<int>{0});
    rt::WaitForEvents();
    rt::WaitForEvents();
    EXPECT_EQ(ran, (std::vector<int>{0, 1, 2}));
}

TEST_F(StatementPollTest, DropsEventsBeyondSixtyFourWaiting) {
    std::vector<int> ran;
    for (int event = 0; event < 65; ++event) rt::QueueEvent([&ran, event] { ran.push_back(event); });
    EXPECT_EQ(rt::QueuedEvents(), 64u);
    while (rt::QueuedEvents() > 0) rt::WaitForEvents();
    ASSERT_EQ(ran.size(), 64u);
    EXPECT_EQ(ran.back(), 63);
}

TEST_F(StatementPollTest, AQuitRequestMetByThePumpEndsTheProgram) {
    PostQuitMessage(0);
    EXPECT_THROW(rt::Line(1), rt::ProgramEnd);
}

TEST_F(StatementPollTest, TheWaitEndsTheProgramWhenTheMainWindowIsGone) {
    DestroyWindow(window_);
    EXPECT_THROW(rt::WaitForEvents(), rt::ProgramEnd);
}
