#include "runtime/run/Worker.h"

#include <exception>
#include <memory>
#include <system_error>
#include <thread>

namespace rt {

namespace {

// A call under way on a local disk has returned by then; one that has not
// waits on a server, and its thread is left to end by itself.
constexpr DWORD kLocalCallMilliseconds = 100;

// What the program's thread and the worker share. Owned by both, so a worker
// left in a call that never returns still has it, and nothing else. The
// system's own lock and condition, not the standard library's: handing a call
// over costs a few microseconds with them under Wine, where the standard
// library's wait goes through the Wine server (over 100 microseconds a call).
struct Lane {
    SRWLOCK lock = SRWLOCK_INIT;
    CONDITION_VARIABLE asked = CONDITION_VARIABLE_INIT;
    CONDITION_VARIABLE answered = CONDITION_VARIABLE_INIT;
    std::function<void()> call;
    bool busy = false;  // a call given and not returned yet
    bool leaving = false;
};

class Locked {
public:
    explicit Locked(Lane& lane) : lane_(lane) { AcquireSRWLockExclusive(&lane_.lock); }
    ~Locked() { ReleaseSRWLockExclusive(&lane_.lock); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    Lane& lane_;
};

// Waits on `condition` until `done` holds or `milliseconds` have passed;
// whether it holds. The lock is held on entry and on return.
template <class Done>
bool WaitFor(Lane& lane, CONDITION_VARIABLE& condition, DWORD milliseconds, Done done) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (!done()) {
        const ULONGLONG now = GetTickCount64();
        if (milliseconds != INFINITE && now >= end) return false;
        SleepConditionVariableSRW(&condition, &lane.lock,
                                  milliseconds == INFINITE ? INFINITE : static_cast<DWORD>(end - now), 0);
    }
    return true;
}

void Serve(const std::shared_ptr<Lane>& lane) {
    const Locked locked(*lane);
    for (;;) {
        WaitFor(*lane, lane->asked, INFINITE, [&] { return lane->leaving || lane->call; });
        if (!lane->call) return;
        const std::function<void()> call = std::move(lane->call);
        lane->call = nullptr;
        ReleaseSRWLockExclusive(&lane->lock);
        call();
        AcquireSRWLockExclusive(&lane->lock);
        lane->busy = false;
        WakeAllConditionVariable(&lane->answered);
    }
}

struct Worker {
    std::shared_ptr<Lane> lane;
    std::thread thread;
    // At the process's end a worker still there is no longer waited for.
    ~Worker() {
        if (thread.joinable()) thread.detach();
    }
};

// The run's one worker, made at its first call and ended with the procedure;
// kept here since the file statements that hand it calls carry no object.
Worker& TheWorker() {
    static Worker worker;
    return worker;
}

// False when no thread could be made: the call is then made where it is.
bool Started(Worker& worker) {
    if (worker.lane) return true;
    auto lane = std::make_shared<Lane>();
    try {
        worker.thread = std::thread([lane] { Serve(lane); });
    } catch (const std::system_error&) {
        return false;
    }
    worker.lane = std::move(lane);
    return true;
}

bool Busy(Lane& lane) {
    const Locked locked(lane);
    return lane.busy;
}

}  // namespace

void CallOnWorker(std::function<void()> call) {
    Worker& worker = TheWorker();
    // A worker still in a call given up on (Ctrl+C in a run before) is left
    // to it.
    if (worker.lane && Busy(*worker.lane)) EndWorker();
    auto thrown = std::make_shared<std::exception_ptr>();
    std::function<void()> guarded = [call = std::move(call), thrown] {
        try {
            call();
        } catch (...) {
            *thrown = std::current_exception();
        }
    };
    if (!Started(worker)) {
        guarded();
    } else {
        const std::shared_ptr<Lane> lane = worker.lane;
        {
            const Locked locked(*lane);
            lane->call = std::move(guarded);
            lane->busy = true;
        }
        WakeConditionVariable(&lane->asked);
        WaitPolling([&](DWORD milliseconds) {
            const Locked locked(*lane);
            return WaitFor(*lane, lane->answered, milliseconds, [&] { return !lane->busy; });
        });
    }
    if (*thrown) std::rethrow_exception(*thrown);
}

void EndWorker() {
    Worker& worker = TheWorker();
    if (!worker.lane) return;
    bool idle = false;
    {
        Lane& lane = *worker.lane;
        const Locked locked(lane);
        lane.leaving = true;
        WakeAllConditionVariable(&lane.asked);
        idle = WaitFor(lane, lane.answered, kLocalCallMilliseconds, [&] { return !lane.busy; });
    }
    if (idle) {
        worker.thread.join();
    } else {
        worker.thread.detach();
    }
    worker.lane.reset();
}

}  // namespace rt
