#pragma once

#include <windows.h>

// What the runtime calls out to during a run, installed by the layers above
// it for the length of the run.
namespace rt {

// The points of an event procedure's run at which what the window shell holds
// back from its controls, or knows of them, must be settled: given to the
// controls, or forgotten.
enum class SettlePoint {
    kMessagesDue,     // the poll is about to deliver messages (Ctrl+C held)
    kMessagesSent,    // it is about to answer messages another program sent
    kDialogOpening,   // a dialog or message box is about to open
    kDialogReturned,  // it has closed again
    kPaintDue,        // the window is about to be painted, taking no message
    kProcedureEnded,  // the procedure has returned
};

struct RunHooks {
    // The window whose Ctrl+C interrupts the program (it or any of its
    // controls) and whose existence keeps the program alive.
    HWND mainWindow = nullptr;
    // What installed the hooks, for the layers above to find it again
    // without asking the window system: a list operation asks for it once
    // an item.
    void* owner = nullptr;
    // A look at every message before it is delivered; true when it was handled.
    bool (*filter)(MSG& message) = nullptr;
    // Paints the window while an event procedure runs, taking no message.
    void (*paint)() = nullptr;
    // Settles the shell's controls at each point above.
    void (*settle)(SettlePoint point) = nullptr;
};

class RunState;

// The hooks of the run in force: installed by the constructor, removed by
// the destructor, however the run ends.
class RunHooksInstalled {
public:
    explicit RunHooksInstalled(const RunHooks& hooks);
    ~RunHooksInstalled();
    RunHooksInstalled(const RunHooksInstalled&) = delete;
    RunHooksInstalled& operator=(const RunHooksInstalled&) = delete;

private:
    RunState& run_;
};

// The hooks in force; all null outside a run.
const RunHooks& Hooks();

HWND MainWindow();

// Calls the settle hook, if any, while an event procedure runs.
void SettleAt(SettlePoint point);

}  // namespace rt
