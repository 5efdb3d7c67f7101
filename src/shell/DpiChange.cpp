#include "shell/DpiChange.h"

#include <array>

#include "shell/DisplayScale.h"
#include "shell/FormDefinition.h"
#include "shell/MainWindow.h"

namespace shell {

namespace {

struct Place {
    int x, y, width, height;
};

// Where the control is in the form, in the program's pixels.
Place PlaceOf(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return {ToProgram(rect.left), ToProgram(rect.top), ToProgram(rect.right - rect.left),
            ToProgram(rect.bottom - rect.top)};
}

}  // namespace

void FollowDpiChange(MainForm& mainForm, int dpi, const RECT& proposed) {
    const HWND form = mainForm.Window();
    // Every place is read at the old dots per inch before one is set at the new.
    std::array<Place, kControlCount> places{};
    for (int i = 0; i < kControlCount; ++i) places[i] = PlaceOf(GetDlgItem(form, kFirstControlId + i));
    mainForm.SetDpi(dpi);
    for (int i = 0; i < kControlCount; ++i) {
        const Place& place = places[i];
        SetWindowPos(GetDlgItem(form, kFirstControlId + i), nullptr, ToScreen(place.x), ToScreen(place.y),
                     ToScreen(place.width), ToScreen(place.height), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    mainForm.Fonts().Rescale();
    mainForm.Icons().Rescale(form);
    SetWindowPos(form, nullptr, proposed.left, proposed.top, proposed.right - proposed.left,
                 proposed.bottom - proposed.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace shell
