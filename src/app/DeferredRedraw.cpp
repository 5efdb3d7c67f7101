#include "app/DeferredRedraw.h"

#include <algorithm>
#include <vector>

#include "runtime/StatementPoll.h"

namespace app {

namespace {

std::vector<HWND>& Deferred() {
    static std::vector<HWND> controls;
    return controls;
}

}  // namespace

void DeferRedraw(HWND control) {
    if (!rt::InEventProcedure() || GetParent(control) == nullptr) return;
    auto& controls = Deferred();
    if (std::find(controls.begin(), controls.end(), control) != controls.end()) return;
    SendMessageW(control, WM_SETREDRAW, FALSE, 0);
    controls.push_back(control);
}

void RedrawDeferredControls() {
    for (const HWND control : Deferred()) {
        if (!IsWindow(control)) continue;
        SendMessageW(control, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(control, nullptr, TRUE);
    }
    Deferred().clear();
}

}  // namespace app
