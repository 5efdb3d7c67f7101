#pragma once

#include <string>
#include <string_view>

#include "runtime/lang/Numbers.h"

// Numbered directory searches (1 to 16), each reading the entries that match
// one pattern in the order the system returns them.
namespace rt {

// Remembers the pattern; nothing is read until the first SearchNext.
void SearchOpen(std::string_view pattern, long double searchNumber);

// Moves to the first, then to each following entry.
void SearchNext(long double searchNumber);

// kTrue when the last SearchNext found no entry.
Int16 SearchAtEnd(long double searchNumber);

inline constexpr int kFieldName = 0;        // the entry's long name, no folder
inline constexpr int kFieldAttributes = 4;  // "D"/"-", "R"/"-", "A"/"-"

std::string SearchField(long double searchNumber, long double field);

void SearchClose(long double searchNumber);

// Ends every search, as at the start of a run.
void CloseAllSearches();

}  // namespace rt
