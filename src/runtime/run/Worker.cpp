#include "runtime/run/Worker.h"

#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace rt {

namespace {

// A call under way on a local disk has returned by then; one that has not
// waits on a server, and its thread is left to end by itself.
constexpr std::chrono::milliseconds kLocalCallMilliseconds{100};

// What the program's thread and the worker share. Owned by both, so a worker
// left in a call that never returns still has it, and nothing else.
struct Lane {
    std::mutex mutex;
    std::condition_variable asked;
    std::condition_variable answered;
    std::function<void()> call;
    bool busy = false;  // a call given and not returned yet
    bool leaving = false;
};

void Serve(const std::shared_ptr<Lane>& lane) {
    std::unique_lock lock(lane->mutex);
    for (;;) {
        lane->asked.wait(lock, [&] { return lane->leaving || lane->call; });
        if (!lane->call) return;
        const std::function<void()> call = std::move(lane->call);
        lane->call = nullptr;
        lock.unlock();
        call();
        lock.lock();
        lane->busy = false;
        lane->answered.notify_all();
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

// The run's one worker, made at its first call and ended with the procedure.
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
    const std::lock_guard lock(lane.mutex);
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
            const std::lock_guard lock(lane->mutex);
            lane->call = std::move(guarded);
            lane->busy = true;
        }
        lane->asked.notify_one();
        WaitPolling([&](DWORD milliseconds) {
            std::unique_lock lock(lane->mutex);
            return lane->answered.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                           [&] { return !lane->busy; });
        });
    }
    if (*thrown) std::rethrow_exception(*thrown);
}

void EndWorker() {
    Worker& worker = TheWorker();
    if (!worker.lane) return;
    bool idle = false;
    {
        std::unique_lock lock(worker.lane->mutex);
        worker.lane->leaving = true;
        worker.lane->asked.notify_all();
        idle = worker.lane->answered.wait_for(lock, kLocalCallMilliseconds, [&] { return !worker.lane->busy; });
    }
    if (idle) {
        worker.thread.join();
    } else {
        worker.thread.detach();
    }
    worker.lane.reset();
}

}  // namespace rt
