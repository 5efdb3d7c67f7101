#include "shell/KeyboardNavigation.h"

#include <string_view>

#include "runtime/run/RunHooks.h"
#include "shell/FormDefinition.h"
#include "shell/WindowClass.h"

namespace shell {

namespace {

bool IsRepeat(const MSG& message) { return (message.lParam & (1L << 30)) != 0; }
// The keyboard as of the message being delivered, which is what the key means
// (unlike the statement poll, which looks without taking a message and so asks
// the keyboard as it is now).
bool KeyHeld(int key) { return GetKeyState(key) < 0; }

bool IsClickable(HWND window) {
    if (!HasClass(window, L"Button")) return false;
    const LONG type = GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_AUTOCHECKBOX;
}

bool IsTabStop(HWND window) {
    return window != nullptr && (GetWindowLongW(window, GWL_STYLE) & WS_TABSTOP) &&
           IsWindowEnabled(window) && IsWindowVisible(window);
}

// The next (or previous) Tab stop after `from` in table order, wrapping
// around; the form itself when no control qualifies.
HWND NextTabStop(HWND form, HWND from, bool backwards) {
    const int count = static_cast<int>(MainFormControls().size());
    const int fromIndex = GetParent(from) == form ? GetDlgCtrlID(from) - kFirstControlId : -1;
    const int start = fromIndex >= 0 ? fromIndex : (backwards ? count : -1);
    for (int step = 1; step <= count; ++step) {
        const int index = ((backwards ? start - step : start + step) % count + count) % count;
        const HWND control = GetDlgItem(form, kFirstControlId + index);
        if (IsTabStop(control)) return control;
    }
    return form;
}

bool MoveFocus(HWND form, HWND focus) {
    if (HasClass(focus, L"Edit") && KeyHeld(VK_CONTROL)) {
        SendMessageW(focus, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"\t"));
    } else {
        SetFocus(NextTabStop(form, focus, KeyHeld(VK_SHIFT)));
    }
    return true;
}

// The menu key (on its key-up, as the system takes it) and Shift+F10 ask
// for the list's menu of its focused item: the system's own WM_CONTEXTMENU
// for them does not come under Wine, so the list asks the form itself, and
// both keys are taken here so that it never comes twice.
bool AsksForMenu(const MSG& message) {
    const WPARAM key = message.wParam;
    if (key == VK_APPS) return message.message == WM_KEYDOWN || message.message == WM_KEYUP;
    return key == VK_F10 && message.message == WM_SYSKEYDOWN && KeyHeld(VK_SHIFT);
}

bool AskForMenu(HWND form, const MSG& message) {
    if (message.message != WM_KEYDOWN) {
        SendMessageW(form, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(message.hwnd), MAKELPARAM(-1, -1));
    }
    return true;
}

}  // namespace

bool KeyboardNavigation::PressOrClick(HWND button, bool keyDown) {
    if (keyDown) {
        pressedButton_ = button;
        SendMessageW(button, BM_SETSTATE, TRUE, 0);
        return true;
    }
    SendMessageW(button, BM_SETSTATE, FALSE, 0);
    if (pressedButton_ == button) {
        pressedButton_ = nullptr;
        SendMessageW(button, BM_CLICK, 0, 0);
    }
    return true;
}

// Not IsDialogMessageW: it would take every dialog key (arrows, Esc,
// mnemonics) and act on Enter's key-down, while this window answers Tab,
// Enter and Space alone and clicks the focused button when the key is let go.
bool KeyboardNavigation::Navigate(MSG& message) {
    const HWND form = rt::MainWindow();
    if (form != nullptr && AsksForMenu(message) && GetParent(message.hwnd) == form && HasClass(message.hwnd, L"ListBox")) {
        return AskForMenu(form, message);
    }
    const bool keyDown = message.message == WM_KEYDOWN;
    if (!keyDown && message.message != WM_KEYUP) return false;
    const WPARAM key = message.wParam;
    if (key != VK_TAB && key != VK_RETURN && key != VK_SPACE) return false;
    if (form == nullptr || (message.hwnd != form && !IsChild(form, message.hwnd))) return false;
    if ((keyDown && IsRepeat(message)) || GetCapture() != nullptr) return false;

    const HWND focus = message.hwnd;
    if (!IsWindowEnabled(focus) || !IsWindowEnabled(form)) return true;
    if (key == VK_TAB) return keyDown ? MoveFocus(form, focus) : true;
    if (!IsClickable(focus)) return false;
    return PressOrClick(focus, keyDown);
}

}  // namespace shell
