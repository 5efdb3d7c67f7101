#pragma once

#include <windows.h>

#include <string_view>

namespace shell {

// Gives a window the font of `face` at a character size, keeping the font
// alive while the window uses it.
void SetFont(HWND window, std::string_view face, int characterSize);

// The same font as the window has now, at another character size.
void ResizeFont(HWND window, int characterSize);

// Makes every font again at the form's dots per inch, each at the character
// size it was given.
void RescaleFonts();

// Deletes every font; the windows are gone by then.
void ReleaseFonts();

}  // namespace shell
