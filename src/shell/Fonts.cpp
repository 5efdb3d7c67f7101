#include "shell/Fonts.h"

#include <map>

#include "runtime/Cp932.h"

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

std::map<HWND, UniqueFont>& Fonts() {
    static std::map<HWND, UniqueFont> fonts;
    return fonts;
}

// A character size is a pixel height at 96 dots per inch, scaled with the
// screen's vertical resolution.
LONG FontHeight(int characterSize) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return -MulDiv(characterSize, dpi, 96);
}

void Apply(HWND window, const LOGFONTW& description) {
    UniqueFont font(CreateFontIndirectW(&description));
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    // The old font is deleted only now that the window no longer uses it.
    Fonts().insert_or_assign(window, std::move(font));
}

}  // namespace

void SetFont(HWND window, std::string_view face, int characterSize) {
    LOGFONTW description{};
    description.lfHeight = FontHeight(characterSize);
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = SHIFTJIS_CHARSET;
    const std::wstring wideFace = rt::ToWide(face);
    wideFace.copy(description.lfFaceName, LF_FACESIZE - 1);
    Apply(window, description);
}

void ResizeFont(HWND window, int characterSize) {
    LOGFONTW description{};
    const auto current = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    GetObjectW(current != nullptr ? current : GetStockObject(DEFAULT_GUI_FONT), sizeof description,
               &description);
    description.lfHeight = FontHeight(characterSize);
    Apply(window, description);
}

void ReleaseFonts() { Fonts().clear(); }

}  // namespace shell
