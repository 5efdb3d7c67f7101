#pragma once

#include <windows.h>

#include "runtime/run/EventQueue.h"
#include "runtime/run/Pool.h"
#include "runtime/run/RunHooks.h"

// What the program's thread keeps for one run of the program: the poll's
// state, the event queue, the hooks the shell installs and the pool of
// worker threads. The rooms above add their own to it (runtime/files/Run.h).
namespace rt {

struct PollState {
    int currentLine = 0;
    ULONGLONG nextPoll = 0;
    ULONGLONG nextPaint = 0;
    int procedureDepth = 0;
    bool interruptionRequested = false;
};

// Made, it is the run in force; ended, the one in force before it is again.
// The members are made in the order written and end the other way round, the
// pool first: its threads go before anything they could have been handed.
class RunState {
public:
    RunState();
    ~RunState();
    RunState(const RunState&) = delete;
    RunState& operator=(const RunState&) = delete;

    RunHooks hooks;
    PollState poll;
    EventQueue events;
    Pool pool{DefaultAheadThreads()};

private:
    RunState* previous_;
};

// The run in force, or null outside a run.
RunState* CurrentRunState();

}  // namespace rt
