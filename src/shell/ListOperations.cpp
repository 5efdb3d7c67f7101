#include "shell/ListOperations.h"

#include <windows.h>

#include <cstdint>
#include <vector>

#include "runtime/Cp932.h"
#include "runtime/ErrorNumbers.h"
#include "runtime/RuntimeError.h"
#include "runtime/StatementPoll.h"
#include "shell/DeferredRedraw.h"
#include "shell/HeldBackItems.h"
#include "shell/WindowClass.h"

namespace shell {

namespace {

// What the program has learnt of a list within one stretch of stillness (see
// rt::Stillness), when nothing but its own calls can change the list: that
// it is a list, that its drawing is held back, how many items it has and
// which are highlighted. Filling a list of 32,000 folders, highlighting all
// of them, or finding the item a click toggled asks this for every item.
struct ListMemo {
    HWND list = nullptr;
    std::uint64_t stillness = 0;
    std::uint64_t puts = 0;
    bool isList = false;
    bool redrawDeferred = false;
    LRESULT count = -1;
    bool highlightsKnown = false;
    std::vector<char> highlighted;
    std::vector<int> indices;

    // An item added or the list cleared: its count and highlights are no
    // longer known.
    void ForgetItems() {
        count = -1;
        highlightsKnown = false;
    }
};

// Outside a procedure nothing is kept, nor across held-back items put in.
ListMemo& Memo(HWND list) {
    static ListMemo memo;
    const std::uint64_t stillness = rt::Stillness();
    const std::uint64_t puts = PutsSoFar();
    if (memo.list != list || memo.stillness != stillness || memo.puts != puts || stillness == 0) {
        memo.list = list;
        memo.stillness = stillness;
        memo.puts = puts;
        memo.isList = false;
        memo.redrawDeferred = false;
        memo.ForgetItems();
    }
    return memo;
}

HWND ListWindow(const ControlHandle& handle) {
    const HWND window = BoundWindow(handle);
    ListMemo& memo = Memo(window);
    if (!memo.isList) {
        if (!HasClass(window, L"ListBox")) rt::Raise(rt::err::kWrongKind);
        memo.isList = true;
    }
    return window;
}

// The list with the items held back for it put in, for a question about it
// or a change other than a new item.
HWND SettledList(const ControlHandle& handle) {
    const HWND window = ListWindow(handle);
    PutHeldBackItems(window);
    return window;
}

HWND ChangingList(const ControlHandle& handle) {
    const HWND window = ListWindow(handle);
    ListMemo& memo = Memo(window);
    if (!memo.redrawDeferred) {
        DeferRedraw(window);
        memo.redrawDeferred = true;
    }
    return window;
}

LRESULT Count(HWND list) {
    ListMemo& memo = Memo(list);
    if (memo.count < 0) memo.count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    return memo.count;
}

// Null for a list that cannot tell its highlights in one call (one that
// highlights a single item).
const std::vector<char>* Highlights(HWND list) {
    ListMemo& memo = Memo(list);
    if (memo.stillness == 0) return nullptr;
    if (memo.highlightsKnown) return &memo.highlighted;
    const LRESULT count = Count(list);
    if (count == LB_ERR) return nullptr;
    memo.indices.resize(static_cast<std::size_t>(count));
    const LRESULT found = SendMessageW(list, LB_GETSELITEMS, static_cast<WPARAM>(count),
                                       reinterpret_cast<LPARAM>(memo.indices.data()));
    if (found == LB_ERR) return nullptr;
    memo.highlighted.assign(static_cast<std::size_t>(count), 0);
    for (LRESULT k = 0; k < found; ++k) memo.highlighted[static_cast<std::size_t>(memo.indices[k])] = 1;
    memo.highlightsKnown = true;
    return &memo.highlighted;
}

WPARAM ExistingItem(HWND list, long double index) {
    const std::int32_t i = rt::IntArg(index);
    if (i < 0 || i >= Count(list)) rt::Raise(rt::err::kListFailed);
    return static_cast<WPARAM>(i);
}

// Within a procedure, items are held back for a sorted list that is empty,
// or already holds some.
bool MayHoldBack(HWND list) {
    if (HoldsItems(list)) return true;
    if (rt::Stillness() == 0) return false;
    const LONG style = GetWindowLongW(list, GWL_STYLE);
    const bool sortsTexts = (style & LBS_SORT) != 0 && (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) == 0;
    return sortsTexts && Count(list) == 0;
}

}  // namespace

void ClearList(const ControlHandle& list) {
    const HWND window = ChangingList(list);
    DropHeldBackItems(window);
    SendMessageW(window, LB_RESETCONTENT, 0, 0);
    Memo(window).ForgetItems();
}

void AddItem(const ControlHandle& list, std::string_view text) {
    const HWND window = ChangingList(list);
    const std::wstring wide = rt::ToWide(text);
    if (MayHoldBack(window)) {
        HoldBackItem(window, wide);
        return;
    }
    Memo(window).ForgetItems();
    const LRESULT result = SendMessageW(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    if (result == LB_ERRSPACE) rt::Raise(rt::err::kListFull);
    if (result == LB_ERR) rt::Raise(rt::err::kListFailed);
}

std::string ItemText(const ControlHandle& list, long double index) {
    const HWND window = SettledList(list);
    const std::int32_t i = rt::IntArg(index);
    if (i < 0 || i >= Count(window)) return {};
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
    const LRESULT count = Count(SettledList(list));
    if (count == LB_ERR) rt::Raise(rt::err::kListFailed);
    return static_cast<rt::Single>(count);
}

void SetSelection(const ControlHandle& list, long double index, long double flag) {
    SettledList(list);
    const HWND window = ChangingList(list);
    const WPARAM selected = rt::IntArg(flag) != 0 ? TRUE : FALSE;
    const WPARAM item = ExistingItem(window, index);
    // A range of one item: unlike LB_SETSEL this leaves the focus rectangle
    // and the scroll position alone, so selecting every item one by one does
    // not scroll the list down to its end, item by item.
    SendMessageW(window, LB_SELITEMRANGE, selected, MAKELPARAM(item, item));
    ListMemo& memo = Memo(window);
    if (memo.highlightsKnown) memo.highlighted[item] = selected ? 1 : 0;
}

rt::Int16 GetSelection(const ControlHandle& list, long double index) {
    const HWND window = SettledList(list);
    const std::int32_t i = rt::IntArg(index);
    if (i < 0) rt::Raise(rt::err::kListFailed);
    if (const std::vector<char>* highlighted = Highlights(window)) {
        if (static_cast<std::size_t>(i) >= highlighted->size()) rt::Raise(rt::err::kListFailed);
        return rt::Truth((*highlighted)[static_cast<std::size_t>(i)] != 0);
    }
    // The list answers LB_ERR for an index outside its items; no count asked.
    const LRESULT selected = SendMessageW(window, LB_GETSEL, static_cast<WPARAM>(i), 0);
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
