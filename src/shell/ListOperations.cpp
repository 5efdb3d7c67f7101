#include "shell/ListOperations.h"

#include <windows.h>

#include <cstdint>
#include <vector>

#include "runtime/lang/ErrorNumbers.h"
#include "runtime/lang/RuntimeError.h"
#include "runtime/system/Cp932.h"
#include "shell/ProcedureState.h"
#include "shell/WindowClass.h"

namespace shell {

namespace {

// A list and, during a procedure, what the shell holds back for it and knows
// of it (shell/ProcedureState.h); null outside procedures.
struct List {
    HWND window;
    ControlState* state;
};

List ListOf(const ControlHandle& handle) {
    const List list{BoundWindow(handle), StateOf(handle)};
    if (list.state == nullptr || !list.state->isList) {
        if (!HasClass(list.window, L"ListBox")) rt::Raise(rt::err::kWrongKind);
        if (list.state != nullptr) list.state->isList = true;
    }
    return list;
}

// The list with the items held back for it put in, for a question about it
// or a change other than a new item.
List SettledList(const ControlHandle& handle) {
    const List list = ListOf(handle);
    if (list.state != nullptr) list.state->PutItems();
    return list;
}

// A list about to change is not drawn again until the procedure ends.
List ChangingList(const List& list) {
    if (list.state != nullptr && !list.state->redrawOff) {
        SendMessageW(list.window, WM_SETREDRAW, FALSE, 0);
        list.state->redrawOff = true;
    }
    return list;
}

LRESULT Count(const List& list) {
    if (list.state == nullptr) return SendMessageW(list.window, LB_GETCOUNT, 0, 0);
    if (list.state->count < 0) list.state->count = SendMessageW(list.window, LB_GETCOUNT, 0, 0);
    return list.state->count;
}

// Null outside procedures and for a list that cannot tell its highlights in
// one call (one that highlights a single item).
const std::vector<char>* Highlights(const List& list) {
    ControlState* state = list.state;
    if (state == nullptr) return nullptr;
    if (state->highlightsKnown) return &state->highlighted;
    const LRESULT count = Count(list);
    if (count == LB_ERR) return nullptr;
    std::vector<int> indices(static_cast<std::size_t>(count));
    const LRESULT found = SendMessageW(list.window, LB_GETSELITEMS, static_cast<WPARAM>(count),
                                       reinterpret_cast<LPARAM>(indices.data()));
    if (found == LB_ERR) return nullptr;
    state->highlighted.assign(static_cast<std::size_t>(count), 0);
    for (LRESULT k = 0; k < found; ++k) state->highlighted[static_cast<std::size_t>(indices[k])] = 1;
    state->highlightsKnown = true;
    return &state->highlighted;
}

WPARAM ExistingItem(const List& list, long double index) {
    const std::int32_t i = rt::IntArg(index);
    if (i < 0 || i >= Count(list)) rt::Raise(rt::err::kListFailed);
    return static_cast<WPARAM>(i);
}

// Within a procedure, items are held back for a sorted list that is empty,
// or already holds some back.
bool MayHoldBack(const List& list) {
    if (list.state == nullptr) return false;
    if (!list.state->items.Empty()) return true;
    const LONG style = GetWindowLongW(list.window, GWL_STYLE);
    const bool sortsTexts = (style & LBS_SORT) != 0 && (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) == 0;
    return sortsTexts && Count(list) == 0;
}

}  // namespace

void ClearList(const ControlHandle& handle) {
    const List list = ChangingList(ListOf(handle));
    if (list.state != nullptr) {
        list.state->items.Clear();
        list.state->ForgetItems();
    }
    SendMessageW(list.window, LB_RESETCONTENT, 0, 0);
    if (list.state != nullptr) list.state->count = 0;
}

void AddItem(const ControlHandle& handle, std::string_view text) {
    const List list = ChangingList(ListOf(handle));
    if (MayHoldBack(list)) {
        list.state->items.Add(text);
        return;
    }
    const std::wstring wide = rt::ToWide(text);
    if (list.state != nullptr) list.state->ForgetItems();
    const LRESULT result = SendMessageW(list.window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    if (result == LB_ERRSPACE) rt::Raise(rt::err::kListFull);
    if (result == LB_ERR) rt::Raise(rt::err::kListFailed);
}

std::string ItemText(const ControlHandle& handle, long double index) {
    const List list = SettledList(handle);
    const std::int32_t i = rt::IntArg(index);
    if (i < 0 || i >= Count(list)) return {};
    const LRESULT length = SendMessageW(list.window, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length == LB_ERR) rt::Raise(rt::err::kSystemFailure);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(list.window, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    if (copied == LB_ERR) rt::Raise(rt::err::kSystemFailure);
    text.resize(static_cast<std::size_t>(copied));
    return rt::ToCp932Shown(text);
}

rt::Single ItemCount(const ControlHandle& handle) {
    const LRESULT count = Count(SettledList(handle));
    if (count == LB_ERR) rt::Raise(rt::err::kListFailed);
    return static_cast<rt::Single>(count);
}

void SetSelection(const ControlHandle& handle, long double index, long double flag) {
    const List list = ChangingList(SettledList(handle));
    const WPARAM selected = rt::IntArg(flag) != 0 ? TRUE : FALSE;
    const WPARAM item = ExistingItem(list, index);
    // A range of one item: unlike LB_SETSEL this leaves the focus rectangle
    // and the scroll position alone, so selecting every item one by one does
    // not scroll the list down to its end, item by item.
    SendMessageW(list.window, LB_SELITEMRANGE, selected, MAKELPARAM(item, item));
    if (list.state != nullptr && list.state->highlightsKnown) list.state->highlighted[item] = selected ? 1 : 0;
}

rt::Int16 GetSelection(const ControlHandle& handle, long double index) {
    const List list = SettledList(handle);
    const std::int32_t i = rt::IntArg(index);
    if (i < 0) rt::Raise(rt::err::kListFailed);
    if (const std::vector<char>* highlighted = Highlights(list)) {
        if (static_cast<std::size_t>(i) >= highlighted->size()) rt::Raise(rt::err::kListFailed);
        return rt::Truth((*highlighted)[static_cast<std::size_t>(i)] != 0);
    }
    // The list answers LB_ERR for an index outside its items; no count asked.
    const LRESULT selected = SendMessageW(list.window, LB_GETSEL, static_cast<WPARAM>(i), 0);
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
