#pragma once

#include <windows.h>

#include <functional>

#include "runtime/run/StatementPoll.h"

// Calls that may wait on a file server, made on a worker thread while the
// program's thread waits the way it waits between two statements: the window
// is painted, other programs get their answers, Ctrl+C is seen within one
// poll period. The program still makes one call at a time, in its order.
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

// Runs `call` on the run's worker and returns once it has returned,
// rethrowing what it threw. When the run ends meanwhile, ProgramEnd is thrown
// at once and the call goes on by itself, so it must own everything it
// touches: values captured by copy, results through a shared_ptr.
void CallOnWorker(std::function<void()> call);

// The worker goes: at once when it waits for a call, or by itself after the
// call it is in, which is not waited for longer than a local call takes.
// Done when an event procedure ends and at the start and end of a run.
void EndWorker();

}  // namespace rt
