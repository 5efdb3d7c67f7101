#include "runtime/StatementPoll.h"

#include <array>

namespace rt {

namespace {

constexpr std::size_t kQueueLimit = 64;
// A look at the keyboard and the queue costs a trip to the window system,
// far more than a statement, so the poll looks only when this much time has
// passed since its last look; Ctrl+C is still seen at once to a user.
constexpr ULONGLONG kPollMilliseconds = 10;
// While an event procedure runs, the window is painted this often, so its
// counters move and uncovered parts come back.
constexpr ULONGLONG kPaintMilliseconds = 150;
constexpr WPARAM kCtrlC = 3;

struct PollState {
    int currentLine = 0;
    ULONGLONG nextPoll = 0;
    ULONGLONG nextPaint = 0;
    void (*paint)() = nullptr;
    int procedureDepth = 0;
    // Counts the stretches of a procedure's run between two chances for a
    // message to reach the windows; never reset, so no count comes twice.
    std::uint64_t stillness = 1;
    bool interruptionRequested = false;
    HWND mainWindow = nullptr;
    MessageFilter filter = nullptr;
    // A ring of kQueueLimit places: `queued` events from `first` on.
    std::array<std::function<void()>, kQueueLimit> events;
    std::size_t first = 0;
    std::size_t queued = 0;
};

PollState& State() {
    static PollState state;
    return state;
}

bool IsMainWindowOrControl(HWND window) {
    const HWND main = State().mainWindow;
    return main != nullptr && (window == main || IsChild(main, window));
}

void Deliver(MSG& message) {
    PollState& state = State();
    if (message.message == WM_CHAR && message.wParam == kCtrlC && IsMainWindowOrControl(message.hwnd)) {
        state.interruptionRequested = true;
    }
    if (state.filter != nullptr && state.filter(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

bool KeyDown(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

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
    // click, so no procedure can start inside another.
    if (KeyDown(VK_CONTROL) && KeyDown('C')) {
        while (PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) Deliver(message);
    }
    return true;
}

void Interrupt() { throw ProgramEnd{.interrupted = true}; }

class ProcedureScope {
public:
    ProcedureScope() {
        ++State().procedureDepth;
        ++State().stillness;
    }
    ~ProcedureScope() {
        --State().procedureDepth;
        ++State().stillness;
    }
    ProcedureScope(const ProcedureScope&) = delete;
    ProcedureScope& operator=(const ProcedureScope&) = delete;
};

}  // namespace

void Line(int number) {
    PollState& state = State();
    const ULONGLONG now = GetTickCount64();
    if (now >= state.nextPoll) {
        state.nextPoll = now + kPollMilliseconds;
        ++state.stillness;
        if (!PumpMessages()) throw ProgramEnd{};
        if (state.procedureDepth > 0 && now >= state.nextPaint && state.paint != nullptr) {
            state.nextPaint = now + kPaintMilliseconds;
            state.paint();
        }
    }
    if (state.interruptionRequested) Interrupt();
    state.currentLine = number;
}

void SetPaintDuringProcedures(void (*paint)()) { State().paint = paint; }

void PollAtNextStatement() {
    State().nextPoll = 0;
    ++State().stillness;
}

std::uint64_t Stillness() {
    const PollState& state = State();
    return state.procedureDepth > 0 ? state.stillness : 0;
}

int CurrentLine() { return State().currentLine; }

void SetMainWindow(HWND window) { State().mainWindow = window; }
HWND MainWindow() { return State().mainWindow; }

void SetMessageFilter(MessageFilter filter) { State().filter = filter; }

void QueueEvent(const std::function<void()>& procedure) {
    PollState& state = State();
    if (state.queued == kQueueLimit) return;
    state.events[(state.first + state.queued) % kQueueLimit] = procedure;
    ++state.queued;
}

std::size_t QueuedEvents() { return State().queued; }

bool InEventProcedure() { return State().procedureDepth > 0; }

void WaitForEvents() {
    PollState& state = State();
    for (;;) {
        MSG message;
        const bool pending = PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);
        if (pending) {
            if (message.message == WM_QUIT) {
                if (IsWindow(state.mainWindow)) return;
                throw ProgramEnd{};
            }
            Deliver(message);
        }
        if (!IsWindow(state.mainWindow)) throw ProgramEnd{};
        if (state.interruptionRequested) Interrupt();
        if (state.queued > 0) {
            const std::function<void()> procedure = std::move(state.events[state.first]);
            state.events[state.first] = nullptr;
            state.first = (state.first + 1) % kQueueLimit;
            --state.queued;
            const ProcedureScope running;
            state.nextPaint = GetTickCount64() + kPaintMilliseconds;
            procedure();
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

void ResetStatementPoll() {
    PollState& state = State();
    state.currentLine = 0;
    state.nextPoll = 0;
    state.nextPaint = 0;
    state.procedureDepth = 0;
    state.interruptionRequested = false;
    state.events.fill(nullptr);
    state.first = 0;
    state.queued = 0;
}

}  // namespace rt
