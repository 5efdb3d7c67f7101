#pragma once

#include <windows.h>

namespace shell {

// Tab and Shift+Tab move the focus over the controls in table order; Enter
// and Space click the focused button on key-up. True when the message was
// taken here and must not be delivered.
bool NavigateByKeyboard(MSG& message);

// Forgets a button pressed by a key that was never let go, as at the start of a run.
void ResetKeyboardNavigation();

}  // namespace shell
