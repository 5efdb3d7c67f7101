#pragma once

#include <windows.h>

namespace shell {

// Tab and Shift+Tab move the focus over the controls in table order; Enter
// and Space click the focused button on key-up; the menu key and Shift+F10
// in the list ask for its menu. The main form owns it: the
// button a key went down on is the run's to remember.
class KeyboardNavigation {
public:
    // True when the message was taken here and must not be delivered.
    bool Navigate(MSG& message);

private:
    bool PressOrClick(HWND button, bool keyDown);

    // The button that received the key-down of Enter or Space; only it may
    // be clicked by the key-up.
    HWND pressedButton_ = nullptr;
};

}  // namespace shell
