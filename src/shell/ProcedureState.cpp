#include "shell/ProcedureState.h"

#include "runtime/run/StatementPoll.h"
#include "shell/MainWindow.h"

namespace shell {

void ControlState::PutItems() {
    if (items.Empty()) return;
    const ItemBatch batch = std::move(items);
    items.Clear();
    ForgetItems();
    if (IsWindow(window)) batch.PutInto(window);
}

ControlState* ProcedureState::Of(const ControlHandle& handle) {
    if (handle.id < kFirstControlId || !rt::InEventProcedure()) return nullptr;
    ControlState& control = controls_[static_cast<std::size_t>(handle.id)];
    if (control.window != handle.window) {
        control = ControlState{};
        control.window = handle.window;
    }
    return &control;
}

void ProcedureState::Settle(rt::SettlePoint point) {
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
        case rt::SettlePoint::kMessagesSent:
            // Another program may read the counters, or change a control.
            // Items held back for the list stay so: to it the list is as
            // before the procedure began to fill it.
            ForgetKnown();
            GiveCaptions();
            return;
        case rt::SettlePoint::kPaintDue:
            // The counters move while the procedure runs; the list, whose
            // items may wait to go in together, is drawn when it ends.
            GiveCaptions();
            return;
        case rt::SettlePoint::kProcedureEnded:
            ForgetKnown();
            GiveHeldBack();
            DrawAgain();
            return;
    }
}

void ProcedureState::ForgetKnown() {
    for (ControlState& control : controls_) {
        control.alive = false;
        control.isList = false;
        control.ForgetItems();
    }
}

// A static control draws a new text at once, outside any paint; painted again
// through the window's update, it reaches the screen under Wine too, which
// shows a window's drawing when a paint ends.
void ProcedureState::GiveCaptions() {
    for (ControlState& control : controls_) {
        if (!control.caption) continue;
        const std::wstring text = std::move(*control.caption);
        control.caption.reset();
        if (!IsWindow(control.window)) continue;
        SetWindowTextW(control.window, text.c_str());
        InvalidateRect(control.window, nullptr, TRUE);
    }
}

void ProcedureState::GiveHeldBack() {
    for (ControlState& control : controls_) control.PutItems();
    GiveCaptions();
}

void ProcedureState::DrawAgain() {
    for (ControlState& control : controls_) {
        if (!control.redrawOff) continue;
        control.redrawOff = false;
        if (!IsWindow(control.window)) continue;
        SendMessageW(control.window, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(control.window, nullptr, TRUE);
    }
}

ControlState* StateOf(const ControlHandle& handle) {
    MainForm* form = TheForm();
    return form != nullptr ? form->Procedures().Of(handle) : nullptr;
}

}  // namespace shell
