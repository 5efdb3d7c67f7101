#include "support/ProgramDriver.h"

#include <windows.h>

#include "runtime/system/Cp932.h"
#include "shell/ListOperations.h"

namespace test {

void Click(const program::ControlHandle& button) { SendMessageW(button.window, BM_CLICK, 0, 0); }

void ClickItem(const std::string& text) {
    const HWND list = program::LIST1.window;
    const std::wstring wide = rt::ToWide(text);
    const LRESULT index = SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(wide.c_str()));
    if (index == LB_ERR) return;
    SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    const LPARAM point = MAKELPARAM(item.left + 4, (item.top + item.bottom) / 2);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(list, WM_LBUTTONUP, 0, point);
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
