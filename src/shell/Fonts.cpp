#include "shell/Fonts.h"

#include <map>

#include "runtime/system/Cp932.h"
#include "shell/DisplayScale.h"

namespace shell {

namespace {

class UniqueFont {
public:
    explicit UniqueFont(HFONT font) : font_(font) {}
    UniqueFont(UniqueFont&& other) noexcept : font_(other.font_) { other.font_ = nullptr; }
    UniqueFont& operator=(UniqueFont&& other) noexcept {
        std::swap(font_, other.font_);
        return *this;
    }
    UniqueFont(const UniqueFont&) = delete;
    UniqueFont& operator=(const UniqueFont&) = delete;
    ~UniqueFont() {
        if (font_ != nullptr) DeleteObject(font_);
    }
    HFONT Get() const { return font_; }

private:
    HFONT font_;
};

// A window's font and the character size the program gave it, so that the
// font can be made again when the dots per inch change.
struct WindowFont {
    UniqueFont font;
    int characterSize;
};

std::map<HWND, WindowFont>& Fonts() {
    static std::map<HWND, WindowFont> fonts;
    return fonts;
}

// A character size is a pixel height at 96 dots per inch, scaled with the
// form's dots per inch like every other size.
LONG FontHeight(int characterSize) { return -ToScreen(characterSize); }

// The window draws with the new font at once; the caller keeps it.
UniqueFont GiveFont(HWND window, LOGFONTW description, int characterSize) {
    description.lfHeight = FontHeight(characterSize);
    UniqueFont font(CreateFontIndirectW(&description));
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    return font;
}

void Apply(HWND window, const LOGFONTW& description, int characterSize) {
    // The old font is deleted only now that the window no longer uses it.
    Fonts().insert_or_assign(window, WindowFont{GiveFont(window, description, characterSize), characterSize});
}

LOGFONTW DescriptionOf(HWND window) {
    LOGFONTW description{};
    const auto current = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    GetObjectW(current != nullptr ? current : GetStockObject(DEFAULT_GUI_FONT), sizeof description,
               &description);
    return description;
}

}  // namespace

void SetFont(HWND window, std::string_view face, int characterSize) {
    LOGFONTW description{};
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = SHIFTJIS_CHARSET;
    const std::wstring wideFace = rt::ToWide(face);
    wideFace.copy(description.lfFaceName, LF_FACESIZE - 1);
    Apply(window, description, characterSize);
}

void ResizeFont(HWND window, int characterSize) { Apply(window, DescriptionOf(window), characterSize); }

void RescaleFonts() {
    for (auto& [window, kept] : Fonts()) {
        kept.font = GiveFont(window, DescriptionOf(window), kept.characterSize);
    }
}

void ReleaseFonts() { Fonts().clear(); }

}  // namespace shell
