#pragma once

#include <windows.h>

#include <shellapi.h>

#include "shell/ArgumentEvents.h"

namespace shell {

// WM_DROPFILES: what was dropped on the form goes to the DROPFILES event of
// the control under the drop point when the program has a procedure for it,
// and to the form's otherwise, queued like a click. The event gets how many
// items were dropped and the full path of the first. The drop's memory is
// given back here, whatever becomes of the event.
void OnDropFiles(HWND form, const ArgumentEvents& events, HDROP drop);

}  // namespace shell
