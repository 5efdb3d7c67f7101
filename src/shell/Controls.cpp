#include "shell/Controls.h"

#include <cmath>
#include <cstdint>
#include <utility>

#include "runtime/dialogs/FileDialog.h"
#include "runtime/lang/Ascii.h"
#include "runtime/lang/ErrorNumbers.h"
#include "runtime/lang/RuntimeError.h"
#include "runtime/run/RunHooks.h"
#include "runtime/system/Cp932.h"
#include "shell/DisplayScale.h"
#include "shell/FormDefinition.h"
#include "shell/MainWindow.h"
#include "shell/ProcedureState.h"

namespace shell {

namespace {

constexpr std::size_t kMaxNameBytes = 21;

// Sizes and positions handed to the window system must be whole pixels.
int Pixels(long double value) {
    if (!std::isfinite(value) || std::fabs(value) > 2147483647.0L) rt::Raise(rt::err::kNotConvertible);
    return static_cast<int>(std::round(value));
}

RECT OuterRect(HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (IsIconic(window) && GetWindowPlacement(window, &placement)) return placement.rcNormalPosition;
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

}  // namespace

HWND BoundWindow(const ControlHandle& handle) {
    // Only a delivered message or the program's end destroys one of its
    // windows, so a control found there during a procedure stays there until
    // the shell settles: a loop over 32,000 list items asks the system once.
    ControlState* state = StateOf(handle);
    if (state != nullptr && state->alive) return handle.window;
    if (handle.window == nullptr || !IsWindow(handle.window)) rt::Raise(rt::err::kUnboundHandle);
    if (state != nullptr) state->alive = true;
    return handle.window;
}

HWND FindControl(const ControlHandle* form, std::string_view name) {
    if (name.empty() || name.size() > kMaxNameBytes) rt::Raise(rt::err::kBadArgument);
    if (form == nullptr) {
        const HWND main = rt::MainWindow();
        if (main == nullptr || !rt::SameIgnoringAsciiCase(name, MainFormDefinition().name)) {
            rt::Raise(rt::err::kNoSuchControl);
        }
        return main;
    }
    const HWND formWindow = BoundWindow(*form);
    const auto controls = MainFormControls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (!rt::SameIgnoringAsciiCase(name, controls[i].name)) continue;
        if (const HWND control = GetDlgItem(formWindow, kFirstControlId + static_cast<int>(i))) {
            return control;
        }
    }
    rt::Raise(rt::err::kNoSuchControl);
}

void BindHandle(ControlHandle& handle, HWND window) {
    if (window == nullptr || !IsWindow(window)) rt::Raise(rt::err::kNotConvertible);
    handle.window = window;
    const int id = GetDlgCtrlID(window);
    const bool control = IsChild(rt::MainWindow(), window) && id >= kFirstControlId &&
                         id < kFirstControlId + kControlCount;
    handle.id = control ? id : 0;
}

void SetCaption(const ControlHandle& handle, std::string_view text) {
    const HWND window = BoundWindow(handle);
    std::wstring wide = rt::ToWide(text);
    if (ControlState* state = StateOf(handle)) {
        state->caption = std::move(wide);
        return;
    }
    SetWindowTextW(window, wide.c_str());
}

std::string ReadText(const ControlHandle& handle) {
    const HWND window = BoundWindow(handle);
    if (const ControlState* state = StateOf(handle); state != nullptr && state->caption) {
        return rt::ToCp932Shown(*state->caption);
    }
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return rt::ToCp932Shown(text);
}

void EnableControl(const ControlHandle& handle, long double flag) {
    const HWND window = BoundWindow(handle);
    const std::int32_t value = rt::IntArg(flag);
    if (value != rt::kTrue && value != rt::kFalse) rt::Raise(rt::err::kBadArgument);
    EnableWindow(window, value == rt::kTrue);
}

void SetTextSize(const ControlHandle& handle, long double size) {
    const HWND window = BoundWindow(handle);
    const int pixels = Pixels(size);
    if (MainForm* form = TheForm()) form->Fonts().Resize(window, pixels);
}

rt::Single WindowWidth(const ControlHandle& handle) {
    const RECT rect = OuterRect(BoundWindow(handle));
    return static_cast<rt::Single>(ToProgram(rect.right - rect.left));
}

rt::Single WindowHeight(const ControlHandle& handle) {
    const RECT rect = OuterRect(BoundWindow(handle));
    return static_cast<rt::Single>(ToProgram(rect.bottom - rect.top));
}

void SetWindowSize(const ControlHandle& handle, long double width, long double height) {
    const HWND window = BoundWindow(handle);
    SetWindowPos(window, nullptr, 0, 0, ToScreen(Pixels(width)), ToScreen(Pixels(height)),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string FileDialog(const ControlHandle& owner, std::string_view title,
                       std::string_view defaultName, std::string_view filterText, long double mode) {
    const HWND window = BoundWindow(owner);
    if (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) rt::Raise(rt::err::kWrongKind);
    return rt::ShowFileDialog(window, title, defaultName, filterText, mode);
}

}  // namespace shell
