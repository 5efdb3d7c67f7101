#pragma once

#include <windows.h>

// The program places and sizes its windows in the pixels of a 96-dpi screen.
// The shell turns them into the screen's pixels at the dots per inch the form
// is drawn at, on the way to the system, and back on the way from it.
namespace shell {

inline constexpr int kProgramDpi = 96;

// The dots per inch the system draws the window at: those of its monitor
// where the system knows them per monitor, the screen's otherwise.
int SystemDpiOf(HWND window);

// The dots per inch the run's form is laid out for (MainForm::Dpi); 96
// outside a run.
int FormDpi();

// Program pixels to screen pixels and back, rounded to the nearest.
int ToScreen(int programPixels);
int ToProgram(int screenPixels);

// A system metric (SM_CXICON...) at the form's dots per inch.
int MetricAtFormDpi(int index);

}  // namespace shell
