#include "shell/Fonts.h"

#include "runtime/system/Cp932.h"
#include "shell/DisplayScale.h"

namespace shell {

namespace {

// A character size is a pixel height at 96 dots per inch, scaled with the
// form's dots per inch like every other size.
LONG FontHeight(int characterSize) { return -ToScreen(characterSize); }

// The window draws with the new font at once; the caller keeps it.
rt::FontHandle GiveFont(HWND window, LOGFONTW description, int characterSize) {
    description.lfHeight = FontHeight(characterSize);
    rt::FontHandle font(CreateFontIndirectW(&description));
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    return font;
}

LOGFONTW DescriptionOf(HWND window) {
    LOGFONTW description{};
    const auto current = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    GetObjectW(current != nullptr ? current : GetStockObject(DEFAULT_GUI_FONT), sizeof description,
               &description);
    return description;
}

}  // namespace

void FontTable::Apply(HWND window, const LOGFONTW& description, int characterSize) {
    // The old font is deleted only now that the window no longer uses it.
    fonts_.insert_or_assign(window, WindowFont{GiveFont(window, description, characterSize), characterSize});
}

void FontTable::Set(HWND window, std::string_view face, int characterSize) {
    LOGFONTW description{};
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = SHIFTJIS_CHARSET;
    const std::wstring wideFace = rt::ToWide(face);
    wideFace.copy(description.lfFaceName, LF_FACESIZE - 1);
    Apply(window, description, characterSize);
}

void FontTable::Resize(HWND window, int characterSize) { Apply(window, DescriptionOf(window), characterSize); }

void FontTable::Rescale() {
    for (auto& [window, kept] : fonts_) {
        kept.font = GiveFont(window, DescriptionOf(window), kept.characterSize);
    }
}

}  // namespace shell
