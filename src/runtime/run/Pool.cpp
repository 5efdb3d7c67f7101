#include "runtime/run/Pool.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <system_error>

#include "runtime/run/RunState.h"

namespace rt {

namespace {

// A job under way on a local disk has returned by then; one that has not
// waits on a server, and its thread is left to end by itself.
constexpr DWORD kLocalCallMilliseconds = 100;
// A file's end mark at the program's end is waited for longer: a file that
// loses it is damaged, and a machine busy with other work may not run the
// thread that writes it within a local call's time. Still short enough that
// a program whose files a server holds ends within a second of its report.
constexpr DWORD kEndMarkMilliseconds = 400;

// How long each side of a hand-over looks for the other before it sleeps:
// the program's thread for the answer, about as long as a local folder call
// takes, and a thread for its next job, about as long as the program takes
// from one call to the next. Being put to sleep and woken costs more than
// the call itself under Wine, and a call on a server is waited for as before.
constexpr double kAnswerSpinMicroseconds = 300;
constexpr double kJobSpinMicroseconds = 200;

// Looks until `done` holds or the time is up, without the lock; whether it
// holds. The processor is given up at every look, not held in a busy loop:
// on a machine with few processors the thread looked for, or the Wine
// server it waits for, must be let run (held, a local call took twice as
// long).
template <class Done>
bool SpinFor(double microseconds, Done done) {
    LARGE_INTEGER frequency;
    LARGE_INTEGER now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    const LONGLONG end = now.QuadPart + static_cast<LONGLONG>(microseconds * frequency.QuadPart / 1e6);
    while (!done()) {
        QueryPerformanceCounter(&now);
        if (now.QuadPart >= end) return false;
        SwitchToThread();
    }
    return true;
}

}  // namespace

struct Pool::Job {
    enum class State { kWaiting, kRunning, kDone, kDropped };
    std::function<void()> work;
    // Written under the pool's lock; read without it by the one who waits,
    // which then sees the job's result and what it threw.
    std::atomic<State> state = State::kWaiting;
    std::exception_ptr thrown;

    bool Over() const {
        const State now = state.load(std::memory_order_acquire);
        return now == State::kDone || now == State::kDropped;
    }
};

// What the program's thread and the threads share, owned by all of them, so
// a thread left in a job that never returns still has it, and nothing else.
// The system's own lock and condition, not the standard library's: under
// Wine the standard library's wait goes through the Wine server (over 100
// microseconds a hand-over).
struct Pool::Shared {
    SRWLOCK lock = SRWLOCK_INIT;
    CONDITION_VARIABLE asked = CONDITION_VARIABLE_INIT;
    CONDITION_VARIABLE answered = CONDITION_VARIABLE_INIT;
    std::deque<Ticket> waiting;
    std::atomic<std::size_t> queued = 0;  // waiting.size(), for a look without the lock
    std::vector<char> inJob;  // by thread, in the order they were started
    int idle = 0;             // threads in no job
    bool leaving = false;
};

namespace {

class Locked {
public:
    explicit Locked(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~Locked() { ReleaseSRWLockExclusive(&lock_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    SRWLOCK& lock_;
};

// Waits on `condition` until `done` holds or `milliseconds` have passed;
// whether it holds. The lock is held on entry and on return.
template <class Done>
bool WaitFor(SRWLOCK& lock, CONDITION_VARIABLE& condition, DWORD milliseconds, Done done) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (!done()) {
        const ULONGLONG now = GetTickCount64();
        if (milliseconds != INFINITE && now >= end) return false;
        SleepConditionVariableSRW(&condition, &lock, milliseconds == INFINITE ? INFINITE : static_cast<DWORD>(end - now),
                                  0);
    }
    return true;
}

// Runs the job's work, keeping what it threw for the one who waits.
void Run(Pool::Job& job, std::function<void()> work) {
    try {
        work();
    } catch (...) {
        job.thrown = std::current_exception();
    }
}

}  // namespace

int DefaultAheadThreads() {
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    return std::clamp(static_cast<int>(system.dwNumberOfProcessors), 1, kMostAheadThreads);
}

Pool::Pool(int aheadThreads) : aheadThreads_(aheadThreads), shared_(std::make_shared<Shared>()) {}

Pool::~Pool() { End(); }

bool Pool::StartThread() {
    const std::size_t seat = threads_.size();
    shared_->inJob.push_back(0);
    ++shared_->idle;
    try {
        threads_.emplace_back([shared = shared_, seat] {
            Shared& pool = *shared;
            const Locked locked(pool.lock);
            for (;;) {
                if (pool.waiting.empty() && !pool.leaving) {
                    ReleaseSRWLockExclusive(&pool.lock);
                    SpinFor(kJobSpinMicroseconds, [&] { return pool.queued.load(std::memory_order_relaxed) > 0; });
                    AcquireSRWLockExclusive(&pool.lock);
                }
                WaitFor(pool.lock, pool.asked, INFINITE, [&] { return pool.leaving || !pool.waiting.empty(); });
                if (pool.waiting.empty()) return;
                const Ticket job = std::move(pool.waiting.front());
                pool.waiting.pop_front();
                --pool.queued;
                job->state = Job::State::kRunning;
                pool.inJob[seat] = 1;
                --pool.idle;
                ReleaseSRWLockExclusive(&pool.lock);
                Run(*job, std::move(job->work));
                AcquireSRWLockExclusive(&pool.lock);
                job->state.store(Job::State::kDone, std::memory_order_release);
                pool.inJob[seat] = 0;
                ++pool.idle;
                WakeAllConditionVariable(&pool.answered);
            }
        });
    } catch (const std::system_error&) {
        shared_->inJob.pop_back();
        --shared_->idle;
        return false;
    }
    return true;
}

Pool::Ticket Pool::Submit(std::function<void()> work) { return Queue(std::move(work), false); }

Pool::Ticket Pool::Queue(std::function<void()> work, bool first) {
    auto job = std::make_shared<Job>();
    job->work = std::move(work);
    bool here = false;
    {
        const Locked locked(shared_->lock);
        Shared& pool = *shared_;
        // A job given ahead gets a thread while there are fewer than asked
        // for; one queued first, whenever none is free.
        const int threads = static_cast<int>(threads_.size());
        if (first ? pool.idle == 0 && threads <= aheadThreads_
                  : static_cast<int>(pool.waiting.size()) >= pool.idle && threads < aheadThreads_) {
            StartThread();
        }
        if (first && threads_.empty()) {
            job->state = Job::State::kRunning;
            here = true;
        } else {
            if (first) {
                pool.waiting.push_front(job);
            } else {
                pool.waiting.push_back(job);
            }
            ++pool.queued;
        }
    }
    if (here) {
        RunHere(*job);
    } else {
        WakeConditionVariable(&shared_->asked);
    }
    return job;
}

void Pool::RunHere(Job& job) {
    Run(job, std::move(job.work));
    job.state = Job::State::kDone;
}

void Pool::Hurry(const Ticket& job) {
    bool here = false;
    {
        const Locked locked(shared_->lock);
        Shared& pool = *shared_;
        if (job->state != Job::State::kWaiting) return;
        pool.waiting.erase(std::find(pool.waiting.begin(), pool.waiting.end(), job));
        if (pool.idle == 0 && static_cast<int>(threads_.size()) <= aheadThreads_) StartThread();
        if (!threads_.empty()) {
            pool.waiting.push_front(job);
        } else {
            --pool.queued;
            job->state = Job::State::kRunning;
            here = true;
        }
    }
    if (here) {
        RunHere(*job);
    } else {
        WakeConditionVariable(&shared_->asked);
    }
}

void Pool::Wait(const Ticket& job) {
    const std::shared_ptr<Shared> shared = shared_;
    if (!SpinFor(kAnswerSpinMicroseconds, [&] { return job->Over(); })) {
        WaitPolling([&](DWORD milliseconds) {
            const Locked locked(shared->lock);
            return WaitFor(shared->lock, shared->answered, milliseconds, [&] { return job->Over(); });
        });
    }
    if (job->thrown) std::rethrow_exception(job->thrown);
}

bool Pool::WaitAtTheEnd(const Ticket& job) {
    const Locked locked(shared_->lock);
    return WaitFor(shared_->lock, shared_->answered, kEndMarkMilliseconds, [&] { return job->Over(); });
}

void Pool::Drop(const Ticket& job) {
    const Locked locked(shared_->lock);
    if (job->state != Job::State::kWaiting) return;
    std::deque<Ticket>& waiting = shared_->waiting;
    waiting.erase(std::find(waiting.begin(), waiting.end(), job));
    --shared_->queued;
    job->state = Job::State::kDropped;
    job->work = nullptr;
}

void Pool::Call(std::function<void()> work) { Wait(Queue(std::move(work), true)); }

void Pool::End() {
    if (threads_.empty()) return;
    std::vector<char> inJob;
    {
        Shared& shared = *shared_;
        const Locked locked(shared.lock);
        for (const Ticket& job : shared.waiting) {
            job->state = Job::State::kDropped;
            job->work = nullptr;
        }
        shared.waiting.clear();
        shared.queued = 0;
        shared.leaving = true;
        WakeAllConditionVariable(&shared.asked);
        WaitFor(shared.lock, shared.answered, kLocalCallMilliseconds, [&] {
            return std::none_of(shared.inJob.begin(), shared.inJob.end(), [](char busy) { return busy != 0; });
        });
        inJob = shared.inJob;
    }
    for (std::size_t seat = 0; seat < threads_.size(); ++seat) {
        if (inJob[seat]) {
            threads_[seat].detach();
        } else {
            threads_[seat].join();
        }
    }
    threads_.clear();
    shared_ = std::make_shared<Shared>();
}

void Pool::EndAheadThreads() {
    if (threads_.size() > 1) End();
}

Pool& ThePool() { return CurrentRunState()->pool; }

void CallOnWorker(std::function<void()> call) { ThePool().Call(std::move(call)); }

}  // namespace rt
