#pragma once

#include <windows.h>

#include <map>
#include <string_view>

#include "runtime/system/Handles.h"

namespace shell {

// The fonts of the form's windows, each kept alive while its window uses it,
// with the character size the program gave it, so that it can be made again
// when the dots per inch change. The main form owns it; the windows are gone
// before it gives the fonts back.
class FontTable {
public:
    // Gives a window the font of `face` at a character size.
    void Set(HWND window, std::string_view face, int characterSize);

    // The same font as the window has now, at another character size.
    void Resize(HWND window, int characterSize);

    // Makes every font again at the form's dots per inch, each at the
    // character size it was given.
    void Rescale();

private:
    struct WindowFont {
        rt::FontHandle font;
        int characterSize;
    };

    void Apply(HWND window, const LOGFONTW& description, int characterSize);

    std::map<HWND, WindowFont> fonts_;
};

}  // namespace shell
