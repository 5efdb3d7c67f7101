#include "shell/ListOperations.h"

#include <windows.h>

#include "runtime/Cp932.h"
#include "runtime/ErrorNumbers.h"
#include "runtime/RuntimeError.h"
#include "shell/DeferredRedraw.h"
#include "shell/WindowClass.h"

namespace shell {

namespace {

HWND ListWindow(const ControlHandle& handle) {
    const HWND window = BoundWindow(handle);
    if (!HasClass(window, L"ListBox")) rt::Raise(rt::err::kWrongKind);
    return window;
}

HWND ChangingList(const ControlHandle& handle) {
    const HWND window = ListWindow(handle);
    DeferRedraw(window);
    return window;
}

WPARAM ExistingItem(HWND list, long double index) {
    const std::int32_t i = rt::IntArg(index);
    if (i < 0 || i >= SendMessageW(list, LB_GETCOUNT, 0, 0)) rt::Raise(rt::err::kListFailed);
    return static_cast<WPARAM>(i);
}

}  // namespace

void ClearList(const ControlHandle& list) { SendMessageW(ChangingList(list), LB_RESETCONTENT, 0, 0); }

void AddItem(const ControlHandle& list, std::string_view text) {
    const HWND window = ChangingList(list);
    const std::wstring wide = rt::ToWide(text);
    const LRESULT result = SendMessageW(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    if (result == LB_ERRSPACE) rt::Raise(rt::err::kListFull);
    if (result == LB_ERR) rt::Raise(rt::err::kListFailed);
}

std::string ItemText(const ControlHandle& list, long double index) {
    const HWND window = ListWindow(list);
    const std::int32_t i = rt::IntArg(index);
    if (i < 0 || i >= SendMessageW(window, LB_GETCOUNT, 0, 0)) return {};
    const LRESULT length = SendMessageW(window, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length == LB_ERR) rt::Raise(rt::err::kSystemFailure);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(window, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    if (copied == LB_ERR) rt::Raise(rt::err::kSystemFailure);
    text.resize(static_cast<std::size_t>(copied));
    return rt::ToCp932Shown(text);
}

rt::Single ItemCount(const ControlHandle& list) {
    const LRESULT count = SendMessageW(ListWindow(list), LB_GETCOUNT, 0, 0);
    if (count == LB_ERR) rt::Raise(rt::err::kListFailed);
    return static_cast<rt::Single>(count);
}

void SetSelection(const ControlHandle& list, long double index, long double flag) {
    const HWND window = ChangingList(list);
    const WPARAM selected = rt::IntArg(flag) != 0 ? TRUE : FALSE;
    const WPARAM item = ExistingItem(window, index);
    // A range of one item: unlike LB_SETSEL this leaves the focus rectangle
    // and the scroll position alone, so selecting every item one by one does
    // not scroll the list down to its end, item by item.
    SendMessageW(window, LB_SELITEMRANGE, selected, MAKELPARAM(item, item));
}

rt::Int16 GetSelection(const ControlHandle& list, long double index) {
    const HWND window = ListWindow(list);
    // The list answers LB_ERR for an index outside its items; no count asked.
    const std::int32_t i = rt::IntArg(index);
    const LRESULT selected = i < 0 ? LB_ERR : SendMessageW(window, LB_GETSEL, static_cast<WPARAM>(i), 0);
    if (selected == LB_ERR) rt::Raise(rt::err::kListFailed);
    return rt::Truth(selected > 0);
}

rt::Int16 CheckState(const ControlHandle& checkBox) {
    const HWND window = BoundWindow(checkBox);
    const LONG type = GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK;
    const bool checkable = HasClass(window, L"Button") &&
                           (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX ||
                            type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
    if (!checkable) rt::Raise(rt::err::kWrongKind);
    return SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

}  // namespace shell
