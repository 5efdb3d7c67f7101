#include "runtime/files/FolderListing.h"

#include "runtime/system/Handles.h"

namespace rt {

namespace {

// Short names are never read, and a folder's entries come in fewer trips to
// the system.
FindHandle FindFirstEntry(const std::wstring& pattern, WIN32_FIND_DATAW& entry) {
    return FindHandle(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
                                       FIND_FIRST_EX_LARGE_FETCH));
}

}  // namespace

// Why a listing ended (GetLastError()) is not kept: the search ends the same
// way at any failure and never asks why, as it did when it read the entries
// one by one, so nothing is lost.
FolderListing ListFolder(const std::wstring& pattern, const std::atomic<bool>& abandoned) {
    FolderListing listing;
    WIN32_FIND_DATAW entry;
    const FindHandle search = FindFirstEntry(pattern, entry);
    if (!search.Valid()) return listing;
    do {
        listing.push_back({entry.cFileName, entry.dwFileAttributes});
    } while (!abandoned && FindNextFileW(search.Get(), &entry));
    return listing;
}

}  // namespace rt
