#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/files/FolderListing.h"
#include "runtime/lang/Numbers.h"

// Numbered directory searches (1 to 16), each reading the entries that match
// one pattern in the order the system returns them.
namespace rt {

inline constexpr int kSearchCount = 16;

struct Search {
    std::wstring pattern;
    bool started = false;
    bool atEnd = false;
    // The folder's entries, listed whole on the pool: ahead of the walk, or
    // at the first SearchNext in one call (a call per entry would hand each
    // over on its own); the search reads them from here.
    std::optional<FolderListing> listed;
    std::size_t nextListed = 0;
};

// The run's searches by number, 1 to 16.
using SearchTable = std::array<std::optional<Search>, kSearchCount + 1>;

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

}  // namespace rt
