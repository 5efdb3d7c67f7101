#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "runtime/lang/Numbers.h"
#include "shell/ArgumentEvents.h"
#include "shell/Controls.h"

namespace shell {

// WM_CONTEXTMENU from a list of the form: the item under the pointer (a
// right click) or the one with the focus rectangle (the menu key, Shift+F10)
// raises the list's MENU event. Nothing for a list that is disabled or empty,
// or a click beside the items (below the last, on the scroll bar). The click
// changes no highlight: the list box itself takes no right button. False
// when the message is for no list, and the system's own answer is due.
bool OnContextMenu(HWND form, const ArgumentEvents& events, HWND source, LPARAM place);

// The list's menu of the commands, at the pointer when it is on the item and
// at the item otherwise. The chosen command, 1 for the first; 0 for none.
rt::Single ListMenu(const ControlHandle& list, long double item, const std::vector<std::string>& commands);

}  // namespace shell
