#pragma once

#include <windows.h>

namespace app {

// A control the program changes while an event procedure runs is not drawn
// until the procedure has returned: the window is not repainted before then
// anyway, and drawing every change would only cost time (a list filled item
// by item, a count set after every folder).
void DeferRedraw(HWND control);

// Draws every control changed since the procedure began.
void RedrawDeferredControls();

}  // namespace app
