#include "runtime/run/Pool.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <thread>

#include "runtime/run/EventQueue.h"
#include "runtime/run/RunHooks.h"
#include "runtime/run/RunState.h"
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
class PoolTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = test::MakeStandInWindow(L"SORATN2.PoolTest", CountingProc);
        ASSERT_NE(window_, nullptr);
        hooks_.emplace(rt::RunHooks{.mainWindow = window_, .paint = CountPaint});
        delivered = 0;
        painted = 0;
    }

    void TearDown() override {
        hooks_.reset();
        DestroyWindow(window_);
    }

    HWND window_ = nullptr;
    std::optional<rt::RunHooksInstalled> hooks_;
};

}  // namespace

TEST_F(PoolTest, TheCallRunsOnAnotherThreadAndWhatItThrowsIsThrownHere) {
    DWORD caller = 0;
    rt::CallOnWorker([&caller] { caller = GetCurrentThreadId(); });
    EXPECT_NE(caller, 0u);
    EXPECT_NE(caller, GetCurrentThreadId());
    EXPECT_THROW(rt::CallOnWorker([] { throw std::bad_alloc(); }), std::bad_alloc);
    // One thread serves the calls one after another.
    DWORD next = 0;
    rt::CallOnWorker([&next] { next = GetCurrentThreadId(); });
    EXPECT_EQ(next, caller);
}

// Between statements the poll delivers every message; while the program
// waits for the worker it does the same.
TEST_F(PoolTest, OutsideAProcedureMessagesAreDeliveredWhileTheCallLasts) {
    PostMessageW(window_, kProbe, 0, 0);
    rt::CallOnWorker([] { Sleep(300); });
    EXPECT_EQ(delivered, 1);
}

// During a procedure only Ctrl+C gets through, but the window is painted and
// a message sent from another thread is answered while the call lasts.
TEST_F(PoolTest, DuringAProcedureTheWindowIsPaintedAndAnswersWhileTheCallLasts) {
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
// call goes on with what it owns, and the next call gets a thread of its own.
TEST_F(PoolTest, CtrlCEndsTheWaitAtOnceAndTheCallGoesOnByItself) {
    const int threadsBefore = test::ThreadsOfThisProcess();
    const auto gate = std::make_shared<Gate>();
    // The Ctrl+C ends a run of the test's own, as it ends the program's.
    auto run = std::make_unique<rt::RunState>();
    hooks_.emplace(rt::RunHooks{.mainWindow = window_, .paint = CountPaint});
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
    hooks_.reset();
    run.reset();

    DWORD next = 0;
    rt::CallOnWorker([&next] { next = GetCurrentThreadId(); });
    EXPECT_NE(next, 0u);
    SetEvent(gate->open);
    EXPECT_TRUE(test::WaitUntilTrue([&] { return gate->passed.load(); }));
    rt::ThePool().End();
    EXPECT_TRUE(test::WaitUntilTrue([&] { return test::ThreadsOfThisProcess() == threadsBefore; }));
}

// The thread a procedure's calls were handed to serves that procedure's
// calls and ends with it: none stands while the user is between commands.
TEST_F(PoolTest, TheThreadOfAProcedureServesItsCallsAndEndsWithIt) {
    const int threadsBefore = test::ThreadsOfThisProcess();
    DWORD first = 0;
    DWORD second = 0;
    int threadsDuring = 0;
    const rt::RunState run;
    const rt::RunHooksInstalled hooks(rt::RunHooks{.mainWindow = window_});
    rt::QueueEvent([&] {
        rt::CallOnWorker([&] { first = GetCurrentThreadId(); });
        rt::CallOnWorker([&] { second = GetCurrentThreadId(); });
        threadsDuring = test::ThreadsOfThisProcess();
    });
    rt::WaitForEvents();
    EXPECT_NE(first, 0u);
    EXPECT_EQ(second, first);
    EXPECT_EQ(threadsDuring, threadsBefore + 1);
    EXPECT_EQ(test::ThreadsOfThisProcess(), threadsBefore);
}

// The threads a walk's listings needed end once none is given ahead; the one
// thread the calls one at a time need stays.
TEST_F(PoolTest, TheThreadsForJobsAheadEndAndTheOneForCallsStays) {
    const int threadsBefore = test::ThreadsOfThisProcess();
    const auto gate = std::make_shared<Gate>();
    const auto begun = std::make_shared<std::atomic<int>>(0);
    rt::Pool pool(2);
    const auto held = [gate, begun] {
        ++*begun;
        WaitForSingleObject(gate->open, INFINITE);
    };
    const rt::Pool::Ticket first = pool.Submit(held);
    const rt::Pool::Ticket second = pool.Submit(held);
    ASSERT_TRUE(test::WaitUntilTrue([&] { return begun->load() == 2; }));
    pool.Call([] {});
    EXPECT_EQ(test::ThreadsOfThisProcess(), threadsBefore + 3);
    SetEvent(gate->open);
    pool.Wait(first);
    pool.Wait(second);
    pool.EndAheadThreads();
    EXPECT_EQ(test::ThreadsOfThisProcess(), threadsBefore);
    DWORD caller = 0;
    pool.Call([&caller] { caller = GetCurrentThreadId(); });
    pool.EndAheadThreads();
    EXPECT_EQ(test::ThreadsOfThisProcess(), threadsBefore + 1);
    DWORD again = 0;
    pool.Call([&again] { again = GetCurrentThreadId(); });
    EXPECT_EQ(again, caller);
}

// A job the program needs now goes before those given ahead of it, on a
// thread of its own when every one is in a job; a job dropped never runs.
TEST_F(PoolTest, AHurriedJobGoesFirstAndADroppedOneNeverRuns) {
    const auto gate = std::make_shared<Gate>();
    const auto order = std::make_shared<std::string>();
    const auto lock = std::make_shared<SRWLOCK>();
    InitializeSRWLock(lock.get());
    const auto note = [order, lock](char job) {
        AcquireSRWLockExclusive(lock.get());
        order->push_back(job);
        ReleaseSRWLockExclusive(lock.get());
    };
    rt::Pool pool(1);
    const rt::Pool::Ticket held = pool.Submit([gate, note] {
        WaitForSingleObject(gate->open, INFINITE);
        note('A');
    });
    const rt::Pool::Ticket b = pool.Submit([note] { note('B'); });
    const rt::Pool::Ticket c = pool.Submit([note] { note('C'); });
    const rt::Pool::Ticket d = pool.Submit([note] { note('D'); });
    pool.Drop(c);
    pool.Hurry(d);
    pool.Wait(d);
    AcquireSRWLockExclusive(lock.get());
    const std::string afterD = *order;
    ReleaseSRWLockExclusive(lock.get());
    // The thread that ran D may already have gone on to B.
    EXPECT_TRUE(afterD == "D" || afterD == "DB") << afterD;
    SetEvent(gate->open);
    pool.Wait(held);
    pool.Wait(b);
    pool.Wait(c);
    // B on the thread that ran D, or after A on the first.
    EXPECT_TRUE(*order == "DAB" || *order == "DBA") << *order;
}

// The pool's end joins the threads in no job and leaves the one a server
// holds, without waiting for it; that one ends by itself after its job.
TEST_F(PoolTest, TheEndLeavesAThreadInAJobThatDoesNotReturn) {
    const int threadsBefore = test::ThreadsOfThisProcess();
    const auto gate = std::make_shared<Gate>();
    const auto begun = std::make_shared<std::atomic<bool>>(false);
    rt::Pool pool(2);
    pool.Submit([gate, begun] {
        *begun = true;
        WaitForSingleObject(gate->open, INFINITE);
        gate->passed = true;
    });
    ASSERT_TRUE(test::WaitUntilTrue([&] { return begun->load(); }));
    pool.Call([] {});
    EXPECT_EQ(test::ThreadsOfThisProcess(), threadsBefore + 2);
    const ULONGLONG start = GetTickCount64();
    pool.End();
    EXPECT_LT(GetTickCount64() - start, 1000u);
    EXPECT_EQ(test::ThreadsOfThisProcess(), threadsBefore + 1);
    // The pool serves again, on a thread of its own.
    DWORD next = 0;
    pool.Call([&next] { next = GetCurrentThreadId(); });
    EXPECT_NE(next, 0u);
    SetEvent(gate->open);
    EXPECT_TRUE(test::WaitUntilTrue([&] { return gate->passed.load(); }));
    pool.End();
    EXPECT_TRUE(test::WaitUntilTrue([&] { return test::ThreadsOfThisProcess() == threadsBefore; }));
}
