#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "runtime/lang/Numbers.h"

// The operations the program does on its window and controls. Each takes a
// control handle; one that is not bound, or whose window is gone, raises 1000.
namespace shell {

// A program variable bound to MAINFORM or one of its controls. The window is
// borrowed: the form owns it.
struct ControlHandle {
    HWND window = nullptr;
    // The control's id in the form (1 to 19), by which the shell keeps what it
    // holds back for it; 0 for the form and any other window.
    int id = 0;
};

// The window a handle is bound to; 1000 when there is none.
HWND BoundWindow(const ControlHandle& handle);

// The window of `form` called `name` (letter case ignored); the main window
// itself when `form` is null. Names of 0 or over 21 bytes raise 5, an unknown
// name 1013.
HWND FindControl(const ControlHandle* form, std::string_view name);

// A window that does not exist raises 1005: it is the value being bound
// that is unfit, not a handle whose window went (1000).
void BindHandle(ControlHandle& handle, HWND window);

void SetCaption(const ControlHandle& handle, std::string_view text);
std::string ReadText(const ControlHandle& handle);

// flag -1 enables, 0 disables; anything else raises 5.
void EnableControl(const ControlHandle& handle, long double flag);

void SetTextSize(const ControlHandle& handle, long double size);

// Sizes are in pixels at 96 dots per inch, whatever the screen's.

// Outer size. A minimised window answers with the size it will have
// again when restored.
rt::Single WindowWidth(const ControlHandle& handle);
rt::Single WindowHeight(const ControlHandle& handle);

// Keeps the position and the stacking order.
void SetWindowSize(const ControlHandle& handle, long double width, long double height);

// The save dialog, modal to `owner`, which must be the form: a control
// raises 1002. The chosen path, or the escape character alone on cancel.
std::string FileDialog(const ControlHandle& owner, std::string_view title,
                       std::string_view defaultName, std::string_view filterText, long double mode);

}  // namespace shell
