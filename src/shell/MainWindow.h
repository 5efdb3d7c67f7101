#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

namespace shell {

// The program's procedure of a given name ("BUTTON5_ON"), or an empty
// function when the program has none.
using ProcedureLookup = std::function<std::function<void()>(std::string_view name)>;

// Creates MAINFORM and its controls, hidden and centred, and binds every
// event the form lists to the program's procedure of the same name. The
// window shows the icon resource `icon` of the instance, or the system's
// own when the instance has none. Null when the window class or a window
// cannot be made.
HWND CreateMainForm(HINSTANCE instance, int icon, const ProcedureLookup& lookup);

// Destroys the main window and forgets the bound events.
void DestroyMainForm();

}  // namespace shell
