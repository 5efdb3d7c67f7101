#include "shell/FormColours.h"

namespace shell {

namespace {

bool SystemHighContrast() {
    HIGHCONTRASTW setting{};
    setting.cbSize = sizeof setting;
    if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0)) return false;
    return (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

// The system's answer unless a test has put another in its place.
HighContrastQuery query = SystemHighContrast;

struct ColourPair {
    COLORREF text;
    COLORREF background;
    HBRUSH brush;  // the system's or a stock brush: never ours to delete
};

ColourPair BlackOnWhite() {
    return {RGB(0, 0, 0), RGB(255, 255, 255), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))};
}

// The system's brushes follow its colours: nothing to make again when they change.
ColourPair SystemPair(int text, int background) {
    return {GetSysColor(text), GetSysColor(background), GetSysColorBrush(background)};
}

}  // namespace

bool HighContrastOn() { return query(); }

void SetHighContrastQuery(HighContrastQuery replacement) {
    query = replacement != nullptr ? replacement : SystemHighContrast;
}

void FormColours::Refresh(HWND form) {
    highContrast_ = HighContrastOn();
    const HBRUSH background = highContrast_ ? GetSysColorBrush(COLOR_WINDOW) : BlackOnWhite().brush;
    SetClassLongPtrW(form, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(background));
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT FormColours::ControlColour(UINT message, HDC dc) const {
    ColourPair pair = BlackOnWhite();
    if (highContrast_) {
        pair = message == WM_CTLCOLORBTN ? SystemPair(COLOR_BTNTEXT, COLOR_BTNFACE)
                                         : SystemPair(COLOR_WINDOWTEXT, COLOR_WINDOW);
    }
    SetTextColor(dc, pair.text);
    SetBkColor(dc, pair.background);
    return reinterpret_cast<LRESULT>(pair.brush);
}

}  // namespace shell
