#pragma once

#include <windows.h>

#include "runtime/system/Handles.h"

namespace shell {

// The form's icon in the two sizes the system shows it at (title bar and
// task switcher), drawn for the form's dots per inch. The main form owns it;
// the form is gone before the icons are destroyed.
class FormIconSet {
public:
    // Gives the form the icon resource `icon` of the instance; the system's
    // own icon when the instance has none.
    void Show(HWND form, HINSTANCE instance, int icon);

    // The same icon again, in the sizes of the form's dots per inch now.
    void Rescale(HWND form);

private:
    HINSTANCE instance_ = nullptr;
    int resource_ = 0;
    rt::IconHandle big_;
    rt::IconHandle small_;
};

}  // namespace shell
