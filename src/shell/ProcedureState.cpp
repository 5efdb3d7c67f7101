#include "shell/ProcedureState.h"

#include <array>

#include "runtime/run/StatementPoll.h"
#include "shell/FormDefinition.h"

namespace shell {

namespace {

// One place per control, by control id.
std::array<ControlState, kFirstControlId + kControlCount>& Controls() {
    static std::array<ControlState, kFirstControlId + kControlCount> controls;
    return controls;
}

void ForgetKnown() {
    for (ControlState& control : Controls()) {
        control.alive = false;
        control.isList = false;
        control.ForgetItems();
    }
}

// A static control draws a new text at once, outside any paint; painted again
// through the window's update, it reaches the screen under Wine too, which
// shows a window's drawing when a paint ends.
void GiveCaptions() {
    for (ControlState& control : Controls()) {
        if (!control.caption) continue;
        const std::wstring text = std::move(*control.caption);
        control.caption.reset();
        if (!IsWindow(control.window)) continue;
        SetWindowTextW(control.window, text.c_str());
        InvalidateRect(control.window, nullptr, TRUE);
    }
}

void GiveHeldBack() {
    for (ControlState& control : Controls()) control.PutItems();
    GiveCaptions();
}

void DrawAgain() {
    for (ControlState& control : Controls()) {
        if (!control.redrawOff) continue;
        control.redrawOff = false;
        if (!IsWindow(control.window)) continue;
        SendMessageW(control.window, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(control.window, nullptr, TRUE);
    }
}

}  // namespace

void ControlState::PutItems() {
    if (items.Empty()) return;
    const ItemBatch batch = std::move(items);
    items.Clear();
    ForgetItems();
    if (IsWindow(window)) batch.PutInto(window);
}

ControlState* StateOf(const ControlHandle& handle) {
    if (handle.id < kFirstControlId || !rt::InEventProcedure()) return nullptr;
    ControlState& control = Controls()[static_cast<std::size_t>(handle.id)];
    if (control.window != handle.window) {
        control = ControlState{};
        control.window = handle.window;
    }
    return &control;
}

void Settle(rt::SettlePoint point) {
    switch (point) {
        case rt::SettlePoint::kMessagesDue:
        case rt::SettlePoint::kDialogOpening:
            // The user, or the keys, meet the controls as the program left them.
            ForgetKnown();
            GiveHeldBack();
            return;
        case rt::SettlePoint::kDialogReturned:
            ForgetKnown();
            return;
        case rt::SettlePoint::kProcedureEnded:
            ForgetKnown();
            GiveHeldBack();
            DrawAgain();
            return;
    }
}

void PaintWhileBusy() {
    GiveCaptions();
    if (const HWND window = rt::MainWindow(); IsWindow(window)) {
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
}

void ForgetProcedureState() { Controls().fill(ControlState{}); }

}  // namespace shell
