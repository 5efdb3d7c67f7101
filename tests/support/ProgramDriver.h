#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "program/Program.h"

// What a user does with the running program's controls, and what they see.
namespace test {

// A click on a button or the check box: its event runs after the step.
void Click(const program::ControlHandle& button);

// A mouse click on the list item with this text.
void ClickItem(const std::string& text);

// A right click on the list item with this text; nothing when there is none.
void RightClickItem(const std::string& text);

// The focus rectangle put on the item with this text, then the key pressed
// and let go in the list, as the keyboard would send it.
void PressKeyOnItem(const std::string& text, WPARAM key);

// Items dropped on the middle of the control, as the system hands a drop
// to a window that accepts files (WM_DROPFILES); its event runs after the step.
void Drop(const std::vector<std::wstring>& paths, const program::ControlHandle& onto);

bool Enabled(const program::ControlHandle& control);

struct Item {
    std::string text;
    bool highlighted;
    bool operator==(const Item&) const = default;
};

std::vector<Item> ListItems();

// The table's entries 0 .. folderCount-1 with their marks.
std::vector<Item> Table();

// The texts of the highlighted items, in list order.
std::vector<std::string> Highlighted();

}  // namespace test
