#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

// Items given one by one to an empty sorted list while an event procedure
// runs are kept here and put into the list together, in its sorted order,
// when the list is next asked anything, when the procedure has returned, or
// before a dialog. A sorted list places each new item by comparing it with a
// dozen others and moving every item after it; put together in order, 32,000
// items cost a tenth of that. The order is the list's own: the sort keys of
// its locale, ignoring letter case, which order texts as its comparison
// does; texts that compare equal keep the order they were given in.
namespace shell {

// Keeps the text for the list.
void HoldBackItem(HWND list, std::wstring_view text);

// Whether the list has items kept here.
bool HoldsItems(HWND list);

// Puts the list's kept items into it; false when there were none. A list
// that refuses one raises 4 when full, 1016 otherwise, and the rest are
// dropped.
bool PutHeldBackItems(HWND list);

// Drops the list's kept items, as when it is cleared.
void DropHeldBackItems(HWND list);

// Puts the kept items of every list.
void PutAllHeldBackItems();

// How many times kept items have gone into a list so far: what is known of
// a list's items stops holding when this changes.
std::uint64_t PutsSoFar();

// Drops the kept items, as at the start of a run.
void ForgetHeldBackItems();

}  // namespace shell
