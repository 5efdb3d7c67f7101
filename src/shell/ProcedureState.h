#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "runtime/run/RunHooks.h"
#include "shell/Controls.h"
#include "shell/FormDefinition.h"
#include "shell/ItemBatch.h"

// What the shell holds back from the form's controls, and what it knows of
// them, while an event procedure runs.
//
// Why it may. During a procedure a message reaches the program's windows only
//  - through the program's own operations on its controls, all of them made
//    by the shell, which keeps this state in step with each;
//  - when the statement poll delivers the keys of Ctrl+C (kMessagesDue);
//  - when it answers the messages other programs sent (kMessagesSent), which
//    may read a counter or change a control, but start no procedure;
//  - while a dialog or message box is open (kDialogOpening to kDialogReturned);
//  - when the window is painted while the procedure runs (kPaintDue), which
//    delivers no message but draws what the captions say.
// No other thread or process can change a control meanwhile: a message sent
// to a window is handled only when the window's thread takes messages, and the
// program's thread takes them only at those points. So what the shell has
// learnt of a control holds, and what it holds back may wait, until the next
// of those points or the end of the procedure (kProcedureEnded). Outside
// procedures, where messages come at any time, nothing is held back or known.
//
// What it buys: a list filled with 32,000 folders is not drawn item by item
// nor sorted item by item, a count set after every folder costs the keeping of
// a string, and a click on the last of 32,000 items asks the list its
// highlights once instead of once per item.
namespace shell {

struct ControlState {
    HWND window = nullptr;

    // Held back until the next point:
    std::optional<std::wstring> caption;  // the control's new text
    bool redrawOff = false;               // not drawn until the procedure ends
    ItemBatch items;                      // items for an empty sorted list

    // Known until the next point:
    bool alive = false;    // the window exists
    bool isList = false;   // it is a list box
    LRESULT count = -1;    // its items; -1 while not known
    bool highlightsKnown = false;
    std::vector<char> highlighted;  // per item, when known

    // An item added or the list emptied: its count and highlights are no
    // longer known.
    void ForgetItems() {
        count = -1;
        highlightsKnown = false;
    }
    // Puts the held-back items into the list.
    void PutItems();
};

// What the shell holds back from the form's controls and knows of them, one
// place per control, for the length of a run (the main form owns it). It is
// settled at the run's named points only: given to the controls, or
// forgotten.
class ProcedureState {
public:
    // The state of the control the handle is bound to while a procedure
    // runs; null outside procedures and for the form itself.
    ControlState* Of(const ControlHandle& handle);

    // Gives what is held back to the controls where the point needs it, and
    // forgets what is known.
    void Settle(rt::SettlePoint point);

private:
    void ForgetKnown();
    void GiveCaptions();
    void GiveHeldBack();
    void DrawAgain();

    std::array<ControlState, kFirstControlId + kControlCount> controls_;
};

// The state of the run's form (ProcedureState::Of), or null: outside a run
// or a procedure, and for the form itself.
ControlState* StateOf(const ControlHandle& handle);

}  // namespace shell
