#include "runtime/run/StatementPoll.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "runtime/dialogs/ModalUi.h"
#include "runtime/run/EventQueue.h"
#include "runtime/run/RunHooks.h"
#include "support/ScriptedModalUi.h"
#include "support/StandInWindow.h"

namespace {

constexpr UINT kProbe = WM_APP + 7;

int delivered = 0;
std::vector<rt::SettlePoint> settled;

void RecordSettle(rt::SettlePoint point) { settled.push_back(point); }

// Waits on the poll's own clock until its next statement looks again. The
// clock moves in steps of a server tick under Wine, later still under load,
// so a fixed sleep cannot promise it.
void WaitForTheNextLook() {
    const ULONGLONG due = GetTickCount64() + 10;
    while (GetTickCount64() < due) Sleep(1);
}

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProbe) {
        ++delivered;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A statement run with a probe posted just before it: whether the probe was
// delivered, and the poll's clock just before and just after the statement,
// between which the poll's own look at the clock fell.
struct ProbedStatement {
    bool pumped;
    ULONGLONG before;
    ULONGLONG after;
};

// A window that counts the probe messages delivered to it, standing in for
// the main window.
class StatementPollTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = test::MakeStandInWindow(L"SORATN2.PollTest", CountingProc);
        ASSERT_NE(window_, nullptr);
        hooks_.emplace(rt::RunHooks{.mainWindow = window_, .settle = RecordSettle});
        settled.clear();
        delivered = 0;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }

    void TearDown() override {
        hooks_.reset();
        DestroyWindow(window_);
    }

    // Runs the statements 1 to `statements`, each with a probe posted just
    // before it.
    std::vector<ProbedStatement> RunStatements(int statements) {
        std::vector<ProbedStatement> runs;
        for (int statement = 1; statement <= statements; ++statement) {
            const int delivered_before = delivered;
            PostMessageW(window_, kProbe, 0, 0);
            const ULONGLONG before = GetTickCount64();
            rt::Line(statement);
            runs.push_back({delivered > delivered_before, before, GetTickCount64()});
        }
        return runs;
    }

    HWND window_ = nullptr;
    std::optional<rt::RunHooksInstalled> hooks_;
};

// Whether the runs can be those of a poll that looked at the first statement
// and then exactly when ten milliseconds had passed since its last look. A
// busy machine may hold a statement up for longer, so a later look is judged
// by the clock, not expected at a fixed statement.
testing::AssertionResult LookedEveryTenMilliseconds(const std::vector<ProbedStatement>& runs) {
    if (runs.empty() || !runs[0].pumped) return testing::AssertionFailure() << "no look at the first statement";
    std::size_t look = 0;
    for (std::size_t statement = 1; statement < runs.size(); ++statement) {
        const bool due = runs[statement].after >= runs[look].before + 10;
        const bool overdue = runs[statement].before >= runs[look].after + 10;
        if (runs[statement].pumped && !due) return testing::AssertionFailure() << "looked early at " << statement + 1;
        if (!runs[statement].pumped && overdue) return testing::AssertionFailure() << "no look at " << statement + 1;
        if (runs[statement].pumped) look = statement;
    }
    return testing::AssertionSuccess();
}

}  // namespace

TEST_F(StatementPollTest, PumpsAtTheFirstStatementThenWhenTenMillisecondsHavePassed) {
    EXPECT_TRUE(LookedEveryTenMilliseconds(RunStatements(25)));
    EXPECT_EQ(rt::CurrentLine(), 25);
    WaitForTheNextLook();
    EXPECT_TRUE(LookedEveryTenMilliseconds(RunStatements(2)));
    rt::PollAtNextStatement();
    EXPECT_TRUE(LookedEveryTenMilliseconds(RunStatements(2)));
}

TEST_F(StatementPollTest, DeliversNothingWhileAnEventProcedureRuns) {
    rt::QueueEvent([&] {
        RunStatements(25);
        WaitForTheNextLook();
        for (int statement = 26; statement <= 50; ++statement) rt::Line(statement);
    });
    rt::WaitForEvents();
    EXPECT_EQ(delivered, 0);
    // What waited is delivered by the first pump after the procedure.
    WaitForTheNextLook();
    rt::Line(100);
    EXPECT_EQ(delivered, 25);
}

// The shell is told of each point where a message may reach the windows during
// a procedure, and of the procedure's end; outside procedures it is told
// nothing, and the statements of a procedure tell it nothing either.
TEST_F(StatementPollTest, TheShellSettlesAtDialogsAndAtTheEndOfEachProcedureOnly) {
    using P = rt::SettlePoint;
    test::ScriptedModalUi ui;
    std::vector<std::vector<P>> seen;
    rt::QueueEvent([&] {
        for (int statement = 1; statement <= 30; ++statement) {
            PostMessageW(window_, kProbe, 0, 0);
            rt::Line(statement);
        }
        WaitForTheNextLook();
        rt::Line(31);
        seen.push_back(settled);
        rt::ShowMessageBox({});
        seen.push_back(settled);
        rt::ShowSaveDialog({});
    });
    rt::ShowMessageBox({});
    rt::Line(1);
    EXPECT_TRUE(settled.empty());
    rt::WaitForEvents();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_TRUE(seen[0].empty());
    EXPECT_EQ(seen[1], (std::vector<P>{P::kDialogOpening, P::kDialogReturned}));
    EXPECT_EQ(settled, (std::vector<P>{P::kDialogOpening, P::kDialogReturned, P::kDialogOpening, P::kDialogReturned,
                                       P::kProcedureEnded}));
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
