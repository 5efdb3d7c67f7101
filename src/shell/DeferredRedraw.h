#pragma once

#include <windows.h>

#include <string>

namespace shell {

// While an event procedure runs, the window is not repainted and nobody can
// read its controls, so changes to them are held back until the procedure
// has returned, or until the program opens a dialog or message box: a list
// filled item by item is not drawn item by item, and a count set after every
// folder costs the keeping of a string rather than a window call.

// The control stops drawing until the procedure has returned.
void DeferRedraw(HWND control);

// The control's new text, given to it later; true when it was kept here
// (outside an event procedure the caller sets it at once).
bool DeferCaption(HWND control, const std::wstring& text);

// The text kept for the control, or null when none is waiting.
const std::wstring* DeferredCaption(HWND control);

// Gives every kept text to its control.
void ApplyDeferredCaptions();

// Before a dialog or message box: puts held-back list items into their lists
// and applies the kept texts.
void ApplyBeforeDialog();

// In the middle of a long procedure: gives the kept texts to their controls
// and paints what needs it, the counters first of all, taking no message
// from the queue. Controls held back for other changes stay so.
void PaintWhileBusy();

// Puts held-back list items into their lists, applies the kept texts and
// draws every control changed since the procedure began.
void ShowDeferredChanges();

// Drops what a procedure that never returned kept, as at the start of a run.
void ForgetDeferredChanges();

}  // namespace shell
