#include "runtime/run/Pool.h"

#include <algorithm>
#include <exception>
#include <system_error>

#include "runtime/run/RunState.h"

namespace rt {

namespace {

// A job under way on a local disk has returned by then; one that has not
// waits on a server, and its thread is left to end by itself.
constexpr DWORD kLocalCallMilliseconds = 100;

}  // namespace

struct Pool::Job {
    enum class State { kWaiting, kRunning, kDone, kDropped };
    std::function<void()> work;
    State state = State::kWaiting;
    std::exception_ptr thrown;
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
                WaitFor(pool.lock, pool.asked, INFINITE, [&] { return pool.leaving || !pool.waiting.empty(); });
                if (pool.waiting.empty()) return;
                const Ticket job = std::move(pool.waiting.front());
                pool.waiting.pop_front();
                job->state = Job::State::kRunning;
                pool.inJob[seat] = 1;
                --pool.idle;
                ReleaseSRWLockExclusive(&pool.lock);
                Run(*job, std::move(job->work));
                AcquireSRWLockExclusive(&pool.lock);
                job->state = Job::State::kDone;
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

Pool::Ticket Pool::Submit(std::function<void()> work) {
    auto job = std::make_shared<Job>();
    job->work = std::move(work);
    {
        const Locked locked(shared_->lock);
        shared_->waiting.push_back(job);
        const bool moreThanIdle = static_cast<int>(shared_->waiting.size()) > shared_->idle;
        if (moreThanIdle && static_cast<int>(threads_.size()) < aheadThreads_) StartThread();
    }
    WakeConditionVariable(&shared_->asked);
    return job;
}

void Pool::Hurry(const Ticket& job) {
    bool here = false;
    {
        const Locked locked(shared_->lock);
        if (job->state != Job::State::kWaiting) return;
        std::deque<Ticket>& waiting = shared_->waiting;
        waiting.erase(std::find(waiting.begin(), waiting.end(), job));
        if (shared_->idle == 0 && static_cast<int>(threads_.size()) <= aheadThreads_) StartThread();
        if (!threads_.empty()) {
            waiting.push_front(job);
        } else {
            job->state = Job::State::kRunning;
            here = true;
        }
    }
    if (here) {
        Run(*job, std::move(job->work));
        job->state = Job::State::kDone;
        return;
    }
    WakeConditionVariable(&shared_->asked);
}

void Pool::Wait(const Ticket& job) {
    const std::shared_ptr<Shared> shared = shared_;
    WaitPolling([&](DWORD milliseconds) {
        const Locked locked(shared->lock);
        return WaitFor(shared->lock, shared->answered, milliseconds,
                       [&] { return job->state == Job::State::kDone || job->state == Job::State::kDropped; });
    });
    if (job->thrown) std::rethrow_exception(job->thrown);
}

bool Pool::WaitAtTheEnd(const Ticket& job) {
    const Locked locked(shared_->lock);
    return WaitFor(shared_->lock, shared_->answered, kLocalCallMilliseconds,
                   [&] { return job->state == Job::State::kDone || job->state == Job::State::kDropped; });
}

void Pool::Drop(const Ticket& job) {
    const Locked locked(shared_->lock);
    if (job->state != Job::State::kWaiting) return;
    std::deque<Ticket>& waiting = shared_->waiting;
    waiting.erase(std::find(waiting.begin(), waiting.end(), job));
    job->state = Job::State::kDropped;
    job->work = nullptr;
}

void Pool::Call(std::function<void()> work) {
    const Ticket job = Submit(std::move(work));
    Hurry(job);
    Wait(job);
}

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

Pool& ThePool() { return CurrentRunState()->pool; }

void CallOnWorker(std::function<void()> call) { ThePool().Call(std::move(call)); }

}  // namespace rt
