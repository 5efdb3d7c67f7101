#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "runtime/StatementMarker.h"

// What happens between two statements of the program, and the wait for
// events of its main loop. The program runs on one thread: window messages
// are delivered only here, and event procedures run only from WaitForEvents.
namespace rt {

// Thrown to end the program from wherever it is; the program's end reports
// an interruption (Ctrl+C) and closes files and windows.
struct ProgramEnd {
    bool interrupted = false;
};

int CurrentLine();

// The window whose Ctrl+C interrupts the program (it or any of its controls)
// and whose existence keeps the program alive.
void SetMainWindow(HWND window);
HWND MainWindow();

// A look at every message before it is delivered; true when it was handled.
using MessageFilter = bool (*)(MSG& message);
void SetMessageFilter(MessageFilter filter);

// Appends an event procedure to the queue; at most 64 wait, further ones are
// dropped. The queue has its 64 places from the start: a procedure small
// enough to be held inside a std::function (a pointer or two) is queued
// without allocating, as a window procedure needs.
void QueueEvent(const std::function<void()>& procedure);

std::size_t QueuedEvents();

// True while an event procedure runs.
bool InEventProcedure();

// One wait of the main loop: delivers messages until an event is queued,
// then runs the oldest event to completion.
void WaitForEvents();

// What paints the window while an event procedure runs, without taking a
// message; called by the poll every 150 ms or so of a procedure's run.
void SetPaintDuringProcedures(void (*paint)());

// The next statement looks at the keyboard and the queue, however soon.
void PollAtNextStatement();

// Names the present stretch of an event procedure's run in which no window
// message can reach the program's windows except the program's own calls:
// it changes wherever the poll or a dialog may deliver one, and at the start
// and end of every procedure. 0 outside procedures, where anything may come.
std::uint64_t Stillness();

// Back to the state of a fresh start: no events, no request, the next
// statement polls.
void ResetStatementPoll();

}  // namespace rt
