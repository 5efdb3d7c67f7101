#include "runtime/run/StatementPoll.h"

#include <windows.h>

#include "runtime/run/EventQueue.h"
#include "runtime/run/RunHooks.h"
#include "runtime/run/RunState.h"

namespace rt {

namespace {

// A look at the keyboard and the queue costs a trip to the window system,
// far more than a statement, so the poll looks only when this much time has
// passed since its last look; Ctrl+C is still seen at once to a user.
constexpr ULONGLONG kPollMilliseconds = 10;
// While an event procedure runs, the window is painted this often, so its
// counters move and uncovered parts come back.
constexpr ULONGLONG kPaintMilliseconds = 150;
constexpr WPARAM kCtrlC = 3;

PollState& State() { return CurrentRunState()->poll; }

bool IsMainWindowOrControl(HWND window) {
    const HWND main = MainWindow();
    return main != nullptr && (window == main || IsChild(main, window));
}

void Deliver(MSG& message) {
    if (message.message == WM_CHAR && message.wParam == kCtrlC && IsMainWindowOrControl(message.hwnd)) {
        State().interruptionRequested = true;
    }
    if (Hooks().filter != nullptr && Hooks().filter(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

// The keyboard as it is now, not as of the last message taken: the poll looks
// without taking messages, so no message has told it of the key yet.
bool KeyDownNow(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

// Delivers what the poll may deliver; false when the request to quit came.
bool PumpMessages() {
    MSG message;
    if (State().procedureDepth == 0) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) return false;
            Deliver(message);
        }
        return true;
    }
    // While an event procedure runs only Ctrl+C gets through: no repaint, no
    // click, so no procedure can start inside another. This is the one place
    // where a message can reach the program's windows during a procedure
    // outside a dialog, so the shell settles its controls first.
    if (KeyDownNow(VK_CONTROL) && KeyDownNow('C')) {
        SettleAt(SettlePoint::kMessagesDue);
        while (PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) Deliver(message);
    }
    return true;
}

// A message sent from another thread or program (a WM_NULL asking whether
// the window answers, a WM_GETTEXT reading a counter) waits for the
// program's thread to look at its queue, and Windows counts a window that
// does not look for 5 s as hung. During a procedure the poll delivers no
// other message, so it answers these, the shell settled for them first; they
// start no event, and no procedure starts inside another.
void AnswerSentMessages() {
    if (State().procedureDepth == 0) return;
    if ((HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) == 0) return;
    SettleAt(SettlePoint::kMessagesSent);
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

// The look of the poll: messages, then the window painted when it is due.
void Look(ULONGLONG now) {
    PollState& state = State();
    state.nextPoll = now + kPollMilliseconds;
    if (!PumpMessages()) throw ProgramEnd{};
    AnswerSentMessages();
    if (state.procedureDepth > 0 && now >= state.nextPaint && Hooks().paint != nullptr) {
        state.nextPaint = now + kPaintMilliseconds;
        Hooks().paint();
    }
}

void Interrupt() { throw ProgramEnd{.interrupted = true}; }

// An event procedure's run: the poll delivers only Ctrl+C meanwhile, and the
// window is painted every kPaintMilliseconds.
class ProcedureScope {
public:
    ProcedureScope() {
        ++State().procedureDepth;
        State().nextPaint = GetTickCount64() + kPaintMilliseconds;
    }
    ~ProcedureScope() { --State().procedureDepth; }
    ProcedureScope(const ProcedureScope&) = delete;
    ProcedureScope& operator=(const ProcedureScope&) = delete;
};

// A procedure left by a runtime error or Ctrl+C settles as one that ended,
// so the report stands over controls that show what the program gave them.
// A failure meanwhile (a list too full for the items held back) is dropped:
// the error already on its way is the one the user must see.
void SettleLeaving() {
    try {
        SettleAt(SettlePoint::kProcedureEnded);
    } catch (...) {
    }
}

}  // namespace

void Line(int number) {
    PollState& state = State();
    const ULONGLONG now = GetTickCount64();
    if (now >= state.nextPoll) Look(now);
    if (state.interruptionRequested) Interrupt();
    state.currentLine = number;
}

void PollWhileWaiting() {
    Look(GetTickCount64());
    if (State().interruptionRequested) Interrupt();
}

void PollAtNextStatement() { State().nextPoll = 0; }

int CurrentLine() {
    const RunState* run = CurrentRunState();
    return run != nullptr ? run->poll.currentLine : 0;
}

bool InEventProcedure() {
    const RunState* run = CurrentRunState();
    return run != nullptr && run->poll.procedureDepth > 0;
}

void WaitForEvents() {
    PollState& state = State();
    for (;;) {
        MSG message;
        const bool pending = PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);
        if (pending) {
            // The program ends when its window is gone. A quit request while
            // it stands is another's (a dialog's loop passes one on when it
            // ends), and is dropped.
            if (message.message == WM_QUIT) {
                if (!IsWindow(MainWindow())) throw ProgramEnd{};
                continue;
            }
            Deliver(message);
        }
        if (!IsWindow(MainWindow())) throw ProgramEnd{};
        if (state.interruptionRequested) Interrupt();
        if (const std::function<void()> procedure = CurrentRunState()->events.Pop()) {
            const ProcedureScope running;
            try {
                procedure();
            } catch (...) {
                SettleLeaving();
                throw;
            }
            SettleAt(SettlePoint::kProcedureEnded);
            // No worker stands between commands: under Wine each thread holds
            // about a megabyte for as long as it stands, the user may spend
            // the time in a dialog that needs memory of its own, and the next
            // command starts a thread in a fraction of a millisecond.
            CurrentRunState()->pool.End();
            return;
        }
        // Only a message can bring the next event, so the idle program waits
        // for one (alertably) instead of waking every millisecond to look.
        if (!pending) {
            MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT,
                                        MWMO_ALERTABLE | MWMO_INPUTAVAILABLE);
        }
    }
}

}  // namespace rt
