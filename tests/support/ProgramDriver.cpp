#include "support/ProgramDriver.h"

#include <windows.h>

#include <shlobj.h>

#include <algorithm>

#include "runtime/system/Cp932.h"
#include "shell/ListOperations.h"

namespace test {

void Click(const program::ControlHandle& button) { SendMessageW(button.window, BM_CLICK, 0, 0); }

namespace {

LRESULT IndexOf(HWND list, const std::string& text) {
    const std::wstring wide = rt::ToWide(text);
    return SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str()));
}

// The middle of the item's left edge, scrolled into view; -1 without the item.
LPARAM PointOnItem(const std::string& text) {
    const HWND list = program::LIST1.window;
    const LRESULT index = IndexOf(list, text);
    if (index == LB_ERR) return -1;
    SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return MAKELPARAM(item.left + 4, (item.top + item.bottom) / 2);
}

}  // namespace

void ClickItem(const std::string& text) {
    const LPARAM point = PointOnItem(text);
    if (point == -1) return;
    PostMessageW(program::LIST1.window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(program::LIST1.window, WM_LBUTTONUP, 0, point);
}

void RightClickItem(const std::string& text) {
    const LPARAM point = PointOnItem(text);
    if (point == -1) return;
    PostMessageW(program::LIST1.window, WM_RBUTTONDOWN, MK_RBUTTON, point);
    PostMessageW(program::LIST1.window, WM_RBUTTONUP, 0, point);
}

void PressKeyOnItem(const std::string& text, WPARAM key) {
    const HWND list = program::LIST1.window;
    SetFocus(list);
    SendMessageW(list, LB_SETCARETINDEX, static_cast<WPARAM>(IndexOf(list, text)), FALSE);
    // F10, like Alt, gives the system's key messages.
    const bool systemKey = key == VK_F10;
    PostMessageW(list, systemKey ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1);
    PostMessageW(list, systemKey ? WM_SYSKEYUP : WM_KEYUP, key, 1 | (3L << 30));
}

void Drop(const std::vector<std::wstring>& paths, const program::ControlHandle& onto) {
    std::wstring names;
    for (const std::wstring& path : paths) names += path + L'\0';
    names += L'\0';
    const std::size_t bytes = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    RECT place{};
    GetWindowRect(onto.window, &place);
    drop->pt = {(place.left + place.right) / 2, (place.top + place.bottom) / 2};
    ScreenToClient(program::MAINFORM.window, &drop->pt);
    std::copy(names.begin(), names.end(), reinterpret_cast<wchar_t*>(drop + 1));
    GlobalUnlock(memory);
    PostMessageW(program::MAINFORM.window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

bool Enabled(const program::ControlHandle& control) { return IsWindowEnabled(control.window) != FALSE; }

std::vector<Item> ListItems() {
    std::vector<Item> items;
    const int count = static_cast<int>(shell::ItemCount(program::LIST1));
    for (int i = 0; i < count; ++i) {
        items.push_back({shell::ItemText(program::LIST1, i), shell::GetSelection(program::LIST1, i) != 0});
    }
    return items;
}

std::vector<Item> Table() {
    std::vector<Item> entries;
    for (int i = 0; i < static_cast<int>(program::folderCount); ++i) {
        entries.push_back({program::folderNames[i], program::folderMarks[i] == 1});
    }
    return entries;
}

std::vector<std::string> Highlighted() {
    std::vector<std::string> texts;
    for (const Item& item : ListItems()) {
        if (item.highlighted) texts.push_back(item.text);
    }
    return texts;
}

}  // namespace test
