#pragma once

#include <windows.h>

namespace shell {

// Gives the form the icon resource `icon` of the instance in the two sizes
// the system shows it at (title bar and task switcher), drawn for the
// form's dots per inch; the system's own icon when the instance has none.
void ShowFormIcons(HWND form, HINSTANCE instance, int icon);

// The same icon again, in the sizes of the form's dots per inch now.
void RescaleFormIcons(HWND form);

// Deletes the icons; the form is gone by then.
void ReleaseFormIcons();

}  // namespace shell
