#include "runtime/run/Worker.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <new>
#include <optional>
#include <thread>

#include "runtime/run/EventQueue.h"
#include "runtime/run/RunHooks.h"
#include "runtime/run/StatementPoll.h"
#include "support/StandInWindow.h"
#include "support/Threads.h"

namespace {

constexpr UINT kProbe = WM_APP + 8;
int delivered = 0;
int painted = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProbe) {
        ++delivered;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void CountPaint() { ++painted; }

// A call that returns once the test lets it; the worker gets its own share.
struct Gate {
    HANDLE open = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> passed = false;
    ~Gate() { CloseHandle(open); }
};

// A window standing in for the main window, with the run's hooks.
class WorkerTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = test::MakeStandInWindow(L"SORATN2.WorkerTest", CountingProc);
        ASSERT_NE(window_, nullptr);
        rt::ResetStatementPoll();
        hooks_.emplace(rt::RunHooks{.mainWindow = window_, .paint = CountPaint});
        delivered = 0;
        painted = 0;
    }

    void TearDown() override {
        hooks_.reset();
        DestroyWindow(window_);
        rt::ResetStatementPoll();
    }

    HWND window_ = nullptr;
    std::optional<rt::RunHooksInstalled> hooks_;
};

}  // namespace

TEST_F(WorkerTest, TheCallRunsOnAnotherThreadAndWhatItThrowsIsThrownHere) {
    DWORD caller = 0;
    rt::CallOnWorker([&caller] { caller = GetCurrentThreadId(); });
    EXPECT_NE(caller, 0u);
    EXPECT_NE(caller, GetCurrentThreadId());
    EXPECT_THROW(rt::CallOnWorker([] { throw std::bad_alloc(); }), std::bad_alloc);
    // One worker serves the calls one after another.
    DWORD next = 0;
    rt::CallOnWorker([&next] { next = GetCurrentThreadId(); });
    EXPECT_EQ(next, caller);
}

// Between statements the poll delivers every message; while the program
// waits for the worker it does the same.
TEST_F(WorkerTest, OutsideAProcedureMessagesAreDeliveredWhileTheCallLasts) {
    PostMessageW(window_, kProbe, 0, 0);
    rt::CallOnWorker([] { Sleep(300); });
    EXPECT_EQ(delivered, 1);
}

// During a procedure only Ctrl+C gets through, but the window is painted and
// a message sent from another thread is answered while the call lasts.
TEST_F(WorkerTest, DuringAProcedureTheWindowIsPaintedAndAnswersWhileTheCallLasts) {
    bool answered = false;
    rt::QueueEvent([&] {
        PostMessageW(window_, kProbe, 0, 0);
        std::thread asker([&] {
            Sleep(100);
            DWORD_PTR result = 0;
            answered = SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 500, &result) != 0;
        });
        rt::CallOnWorker([] { Sleep(700); });
        asker.join();
    });
    rt::WaitForEvents();
    EXPECT_TRUE(answered);
    EXPECT_GE(painted, 2);
    EXPECT_EQ(delivered, 0);
}

// Ctrl+C ends the wait within a poll period, not when the call returns; the
// call goes on with what it owns, and the next call gets a worker of its own.
TEST_F(WorkerTest, CtrlCEndsTheWaitAtOnceAndTheCallGoesOnByItself) {
    const int threadsBefore = test::ThreadsOfThisProcess();
    const auto gate = std::make_shared<Gate>();
    PostMessageW(window_, WM_CHAR, 3, 0);
    const ULONGLONG start = GetTickCount64();
    bool interrupted = false;
    try {
        rt::CallOnWorker([gate] {
            WaitForSingleObject(gate->open, INFINITE);
            gate->passed = true;
        });
    } catch (const rt::ProgramEnd& end) {
        interrupted = end.interrupted;
    }
    EXPECT_TRUE(interrupted);
    EXPECT_LT(GetTickCount64() - start, 1000u);
    EXPECT_FALSE(gate->passed);

    rt::ResetStatementPoll();
    DWORD next = 0;
    rt::CallOnWorker([&next] { next = GetCurrentThreadId(); });
    EXPECT_NE(next, 0u);
    SetEvent(gate->open);
    EXPECT_TRUE(test::WaitUntilTrue([&] { return gate->passed.load(); }));
    rt::EndWorker();
    EXPECT_TRUE(test::WaitUntilTrue([&] { return test::ThreadsOfThisProcess() == threadsBefore; }));
}

TEST_F(WorkerTest, TheWorkerEndsWithTheProcedure) {
    const int threadsBefore = test::ThreadsOfThisProcess();
    int threadsDuring = 0;
    rt::QueueEvent([&] {
        rt::CallOnWorker([] {});
        threadsDuring = test::ThreadsOfThisProcess();
    });
    rt::WaitForEvents();
    EXPECT_EQ(threadsDuring, threadsBefore + 1);
    EXPECT_EQ(test::ThreadsOfThisProcess(), threadsBefore);
}
