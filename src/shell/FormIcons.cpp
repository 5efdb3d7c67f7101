#include "shell/FormIcons.h"

#include <utility>

#include "shell/DisplayScale.h"

namespace shell {

namespace {

// An icon loaded at a size of its own is the program's to destroy; the
// system's shared one, shown when there is none, is not.
HICON Shown(const rt::IconHandle& icon) { return icon.Valid() ? icon.Get() : LoadIconW(nullptr, IDI_APPLICATION); }

}  // namespace

void FormIconSet::Show(HWND form, HINSTANCE instance, int icon) {
    instance_ = instance;
    resource_ = icon;
    Rescale(form);
}

void FormIconSet::Rescale(HWND form) {
    const auto load = [&](int widthMetric, int heightMetric) {
        return rt::IconHandle(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(resource_), IMAGE_ICON,
                                                            MetricAtFormDpi(widthMetric),
                                                            MetricAtFormDpi(heightMetric), 0)));
    };
    rt::IconHandle bigIcon = load(SM_CXICON, SM_CYICON);
    rt::IconHandle smallIcon = load(SM_CXSMICON, SM_CYSMICON);
    SendMessageW(form, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Shown(bigIcon)));
    SendMessageW(form, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Shown(smallIcon)));
    // The icons shown until now are destroyed only once the form has let go of them.
    std::swap(big_, bigIcon);
    std::swap(small_, smallIcon);
}

}  // namespace shell
