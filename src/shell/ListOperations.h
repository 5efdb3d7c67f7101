#pragma once

#include <string>
#include <string_view>

#include "runtime/lang/Numbers.h"
#include "shell/Controls.h"

// The operations on the folder list and on the check box. Indices are
// 0-based; a handle of another kind of control raises 1002.
namespace shell {

void ClearList(const ControlHandle& list);

// Inserts the text at its sorted place, not highlighted. A refused item
// raises 1016, a full list 4.
void AddItem(const ControlHandle& list, std::string_view text);

// "" for an index outside the items.
std::string ItemText(const ControlHandle& list, long double index);

rt::Single ItemCount(const ControlHandle& list);

// flag -1 highlights, 0 takes the highlight away; an index outside the items
// raises 1016.
void SetSelection(const ControlHandle& list, long double index, long double flag);
rt::Int16 GetSelection(const ControlHandle& list, long double index);

// 1 checked, 0 unchecked.
rt::Int16 CheckState(const ControlHandle& checkBox);

}  // namespace shell
