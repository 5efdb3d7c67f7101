#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "runtime/run/StatementPoll.h"

// The run's worker threads, for the system calls that may wait on a file
// server: the one-at-a-time calls of the file statements, and the listings
// the walk's read-ahead asks for before the walk comes to them. The
// program's thread waits for a job the way it waits between two statements:
// the window is painted, other programs get their answers, Ctrl+C is seen
// within one poll period.
namespace rt {

// How long one wait for an answer lasts before the poll looks again.
inline constexpr DWORD kWaitSliceMilliseconds = 10;

// Waits until `answered(milliseconds)`, which waits at most that long for
// the answer, says it came. Polls between two waits; ProgramEnd (Ctrl+C, the
// request to quit) is thrown from here without waiting any longer.
template <class Answered>
void WaitPolling(Answered answered) {
    while (!answered(kWaitSliceMilliseconds)) PollWhileWaiting();
}

// Threads for jobs given ahead: a listing on a local disk keeps a processor
// busy, so threads beyond the processors only take turns; those up to 4
// still gain where listings wait on a file server.
inline constexpr int kMostAheadThreads = 4;

// kMostAheadThreads, or fewer on fewer processors.
int DefaultAheadThreads();

class Pool {
public:
    struct Job;
    using Ticket = std::shared_ptr<Job>;

    // At most `aheadThreads` threads serve the jobs given ahead; a job
    // hurried gets one thread more when every one is in a job.
    explicit Pool(int aheadThreads);
    ~Pool();
    Pool(const Pool&) = delete;
    Pool& operator=(const Pool&) = delete;

    // Queued after the jobs given before it, begun when a thread is free.
    // `work` must own everything it touches (values captured by copy, results
    // through a shared_ptr): a job the run stops waiting for goes on by itself.
    Ticket Submit(std::function<void()> work);

    // The job is begun next: moved to the front of the queue, with a thread
    // started for it when none is free. Where no thread can be made at all,
    // it runs here, now.
    void Hurry(const Ticket& job);

    // Waits, polling, until the job has returned; rethrows what it threw.
    // Ctrl+C or the request to quit throws ProgramEnd at once.
    void Wait(const Ticket& job);

    // Waits without polling, for a job at the program's end, at most as long
    // as a local call takes on a machine busy with other work; whether it
    // returned. One that did not is left to go on by itself.
    bool WaitAtTheEnd(const Ticket& job);

    // A job not begun is taken out and never runs; one begun goes on.
    void Drop(const Ticket& job);

    // The job is queued first and waited for: it runs before any given ahead.
    void Call(std::function<void()> work);

    // The one way the threads end: jobs not begun are dropped, every thread
    // is told to go, and those in no job, or in one that returns within the
    // time a local call takes, are joined. A thread a server holds in its job
    // is left to end by itself after it, holding nothing of the pool's. The
    // next job starts threads afresh. The run ends them after every event
    // procedure.
    void End();

    // Once no job is given ahead: the threads a walk's listings needed are
    // not kept for the calls one at a time that follow, which need one, since
    // under Wine every thread costs about a megabyte of memory for as long as
    // it stands. They end as End() ends them, unless one at most was started.
    void EndAheadThreads();

    // For the tests and the benchmarks, which compare walks with and without
    // listings ahead (0: none is asked for); takes effect at the next job.
    void SetAheadThreads(int threads) { aheadThreads_ = threads; }
    int AheadThreads() const { return aheadThreads_; }

private:
    struct Shared;

    // Queued last, or first with a thread started for it when none is free.
    Ticket Queue(std::function<void()> work, bool first);
    static void RunHere(Job& job);

    // The one place threads are started. False when none can be made (out
    // of threads or memory): the caller then does without.
    bool StartThread();

    int aheadThreads_;
    std::shared_ptr<Shared> shared_;
    std::vector<std::thread> threads_;
};

// The pool of the run in force.
Pool& ThePool();

// Runs `call` on the run's pool before any job given ahead, and returns once
// it has returned, rethrowing what it threw. The program still makes one such
// call at a time, in its order.
void CallOnWorker(std::function<void()> call);

}  // namespace rt
