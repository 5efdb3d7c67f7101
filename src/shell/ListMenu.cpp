#include "shell/ListMenu.h"

#include <windowsx.h>

#include <algorithm>

#include "runtime/dialogs/ModalUi.h"
#include "runtime/lang/ErrorNumbers.h"
#include "runtime/lang/RuntimeError.h"
#include "runtime/system/Cp932.h"
#include "shell/WindowClass.h"

namespace shell {

namespace {

// The menu key and Shift+F10 give no place: both coordinates -1.
bool FromKeyboard(LPARAM place) { return GET_X_LPARAM(place) == -1 && GET_Y_LPARAM(place) == -1; }

// The item under the screen point, or -1 beside the items.
int ItemAt(HWND list, POINT point) {
    ScreenToClient(list, &point);
    RECT client{};
    GetClientRect(list, &client);
    if (!PtInRect(&client, point)) return -1;
    const LRESULT found = SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    return HIWORD(found) != 0 ? -1 : LOWORD(found);
}

int MenuItem(HWND list, LPARAM place) {
    if (!IsWindowEnabled(list) || SendMessageW(list, LB_GETCOUNT, 0, 0) <= 0) return -1;
    if (FromKeyboard(place)) return static_cast<int>(SendMessageW(list, LB_GETCARETINDEX, 0, 0));
    return ItemAt(list, {GET_X_LPARAM(place), GET_Y_LPARAM(place)});
}

// A menu takes "&" for the mark of its access key: "&&" shows one.
std::wstring MenuText(const std::string& command) {
    std::wstring text;
    for (const wchar_t c : rt::ToWide(command)) {
        text.push_back(c);
        if (c == L'&') text.push_back(L'&');
    }
    return text;
}

// Where the pointer is when it is on the item, else the item's lower left
// corner, kept within the list.
POINT MenuPlace(HWND list, int item) {
    RECT itemRect{};
    RECT client{};
    GetClientRect(list, &client);
    if (SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&itemRect)) == LB_ERR) {
        itemRect = client;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    if (ItemAt(list, cursor) == item) return cursor;
    POINT place{itemRect.left, std::max(client.top, std::min(itemRect.bottom, client.bottom))};
    ClientToScreen(list, &place);
    return place;
}

}  // namespace

bool OnContextMenu(HWND form, const ArgumentEvents& events, HWND source, LPARAM place) {
    if (GetParent(source) != form || !HasClass(source, L"ListBox")) return false;
    const int item = MenuItem(source, place);
    if (item < 0) return true;
    EventArgument argument;
    argument.item = static_cast<rt::Single>(item);
    events.Raise(GetDlgCtrlID(source), Event::kMenu, argument);
    return true;
}

rt::Single ListMenu(const ControlHandle& list, long double item, const std::vector<std::string>& commands) {
    const HWND window = BoundWindow(list);
    if (!HasClass(window, L"ListBox")) rt::Raise(rt::err::kWrongKind);
    rt::PopupMenuRequest request;
    request.owner = GetAncestor(window, GA_ROOT);
    request.place = MenuPlace(window, rt::IntArg(item));
    for (const std::string& command : commands) request.items.push_back(MenuText(command));
    return static_cast<rt::Single>(rt::ShowPopupMenu(request));
}

}  // namespace shell
