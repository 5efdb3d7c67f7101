#pragma once

#include <windows.h>

namespace shell {

class MainForm;

// Lays the form out again for the new dots per inch the system announced
// (WM_DPICHANGED): every control keeps its place in the program's pixels,
// fonts and icons are made again at the new size, and the form takes the
// rectangle the system proposed. The program's own layout follows with the
// size change this causes.
void FollowDpiChange(MainForm& mainForm, int dpi, const RECT& proposed);

}  // namespace shell
