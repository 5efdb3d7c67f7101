#include "shell/DeferredRedraw.h"

#include <algorithm>
#include <map>
#include <vector>

#include "runtime/StatementPoll.h"
#include "shell/HeldBackItems.h"

namespace shell {

namespace {

std::vector<HWND>& Deferred() {
    static std::vector<HWND> controls;
    return controls;
}

std::map<HWND, std::wstring>& Captions() {
    static std::map<HWND, std::wstring> captions;
    return captions;
}

}  // namespace

void DeferRedraw(HWND control) {
    if (!rt::InEventProcedure() || GetParent(control) == nullptr) return;
    auto& controls = Deferred();
    if (std::find(controls.begin(), controls.end(), control) != controls.end()) return;
    SendMessageW(control, WM_SETREDRAW, FALSE, 0);
    controls.push_back(control);
}

bool DeferCaption(HWND control, const std::wstring& text) {
    if (!rt::InEventProcedure() || GetParent(control) == nullptr) return false;
    Captions()[control] = text;
    return true;
}

const std::wstring* DeferredCaption(HWND control) {
    const auto found = Captions().find(control);
    return found == Captions().end() ? nullptr : &found->second;
}

void ApplyDeferredCaptions() {
    // A static control draws a new text at once, outside any paint; painted
    // again through the window's update, it reaches the screen under Wine too,
    // which shows a window's drawing when a paint ends.
    for (const auto& [control, text] : Captions()) {
        if (!IsWindow(control)) continue;
        SetWindowTextW(control, text.c_str());
        InvalidateRect(control, nullptr, TRUE);
    }
    Captions().clear();
}

void PaintWhileBusy() {
    ApplyDeferredCaptions();
    if (const HWND window = rt::MainWindow(); IsWindow(window)) {
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
}

void ApplyBeforeDialog() {
    PutAllHeldBackItems();
    ApplyDeferredCaptions();
}

void ShowDeferredChanges() {
    ApplyBeforeDialog();
    for (const HWND control : Deferred()) {
        if (!IsWindow(control)) continue;
        SendMessageW(control, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(control, nullptr, TRUE);
    }
    Deferred().clear();
}

void ForgetDeferredChanges() {
    ForgetHeldBackItems();
    Deferred().clear();
    Captions().clear();
}

}  // namespace shell
