#include "shell/FormIcons.h"

#include <memory>
#include <type_traits>

#include "shell/DisplayScale.h"

namespace shell {

namespace {

struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

// An icon loaded at a size of its own is the program's to destroy; the
// system's shared one is not.
struct FormIcon {
    UniqueIcon owned;
    HICON Get() const { return owned ? owned.get() : LoadIconW(nullptr, IDI_APPLICATION); }
};

struct Icons {
    HINSTANCE instance = nullptr;
    int resource = 0;
    FormIcon bigIcon;
    FormIcon smallIcon;
};

Icons& Kept() {
    static Icons icons;
    return icons;
}

FormIcon LoadAtFormDpi(int widthMetric, int heightMetric) {
    const Icons& icons = Kept();
    return {UniqueIcon(static_cast<HICON>(LoadImageW(icons.instance, MAKEINTRESOURCEW(icons.resource),
                                                     IMAGE_ICON, MetricAtFormDpi(widthMetric),
                                                     MetricAtFormDpi(heightMetric), 0)))};
}

}  // namespace

void ShowFormIcons(HWND form, HINSTANCE instance, int icon) {
    Kept().instance = instance;
    Kept().resource = icon;
    RescaleFormIcons(form);
}

void RescaleFormIcons(HWND form) {
    FormIcon bigIcon = LoadAtFormDpi(SM_CXICON, SM_CYICON);
    FormIcon smallIcon = LoadAtFormDpi(SM_CXSMICON, SM_CYSMICON);
    SendMessageW(form, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon.Get()));
    SendMessageW(form, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.Get()));
    // The icons shown until now are destroyed only once the form has let go of them.
    std::swap(Kept().bigIcon, bigIcon);
    std::swap(Kept().smallIcon, smallIcon);
}

void ReleaseFormIcons() {
    Kept().bigIcon = {};
    Kept().smallIcon = {};
}

}  // namespace shell
