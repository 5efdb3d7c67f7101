#pragma once

#include <windows.h>

#include "program/Program.h"

namespace app {

// Starts the program: creates and shows MAINFORM, runs the main body until
// the program ends, reports a runtime error if one ended it, and cleans up.
// The exit code, always 0.
int RunProgram(HINSTANCE instance, int showState, void (*mainBody)() = program::MainBody);

}  // namespace app
