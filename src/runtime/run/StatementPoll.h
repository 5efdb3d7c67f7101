#pragma once

#include "runtime/run/StatementMarker.h"

// What happens between two statements of the program, and the wait for
// events of its main loop. The program runs on one thread: window messages
// are delivered only here and in dialogs, and event procedures run only from
// WaitForEvents. The main window, the message filter and the painting come
// from the run's hooks (runtime/run/RunHooks.h).
namespace rt {

// Thrown to end the program from wherever it is; the program's end reports
// an interruption (Ctrl+C) and closes files and windows.
struct ProgramEnd {
    bool interrupted = false;
};

// The line of the statement last begun; 0 outside a run.
int CurrentLine();

// Whether an event procedure runs: only then may the shell hold back changes
// to its controls and keep what it learns of them.
bool InEventProcedure();

// One wait of the main loop: delivers messages until an event is queued,
// then runs the oldest event to completion and settles the shell's controls.
void WaitForEvents();

// The poll's look while the program's thread waits for another thread's
// answer instead of running statements (runtime/run/Pool.h): messages as
// between two statements, the window painted when due, messages sent from
// other programs answered, and Ctrl+C acted on. The current line stays.
void PollWhileWaiting();

// The next statement looks at the keyboard and the queue, however soon.
void PollAtNextStatement();

}  // namespace rt
