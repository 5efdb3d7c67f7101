#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

// A folder's entries as the system gives them, read in one go on a worker.
// Works on the system's names only; what they are in the program is decided
// where the program reads them.
namespace rt {

struct ListedEntry {
    std::wstring name;
    DWORD attributes = 0;
};

using FolderListing = std::vector<ListedEntry>;

// Every entry of the folder of `pattern`, in the system's order, unless
// `abandoned` is set first; a folder that cannot be read has none.
FolderListing ListFolder(const std::wstring& pattern, const std::atomic<bool>& abandoned);

}  // namespace rt
