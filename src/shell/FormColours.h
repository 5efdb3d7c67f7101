#pragma once

#include <windows.h>

namespace shell {

// Whether the system's high-contrast setting is on (SPI_GETHIGHCONTRAST).
bool HighContrastOn();

// Puts another answer in place of the system's, for tests: Wine answers that
// high contrast is off whatever the colours. nullptr gives the system's again.
using HighContrastQuery = bool (*)();
void SetHighContrastQuery(HighContrastQuery query);

// The colours the form paints its background and its captions in: with high
// contrast on, the system's pairs (the window's text on the window's colour
// for the captions and the check box, which stand on the form; the buttons'
// text on their face for the buttons), so that the user's theme reaches
// every control; otherwise black on white, as the program has always drawn.
class FormColours {
public:
    // Asks the setting again and has the form drawn anew: when the form is
    // made, and on WM_SYSCOLORCHANGE and WM_SETTINGCHANGE.
    void Refresh(HWND form);

    // The answer to WM_CTLCOLORSTATIC or WM_CTLCOLORBTN: the colours set in
    // the control's device context, and the brush of its background.
    LRESULT ControlColour(UINT message, HDC dc) const;

private:
    bool highContrast_ = false;
};

}  // namespace shell
