#pragma once

#include <windows.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "runtime/files/FolderListing.h"
#include "runtime/files/ReadAhead.h"
#include "runtime/run/RunState.h"

// What the benchmarks share: a clock, and the bare system calls that are the
// floors the program is measured against.
namespace bench {

// <chrono> does not build with code page 932 literals; the performance
// counter serves.
inline LONGLONG Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

inline double SecondsSince(LONGLONG start) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(Now() - start) / static_cast<double>(frequency.QuadPart);
}

// One existence test, as a program would make it before acting.
inline bool FolderThere(const std::wstring& path) {
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW(path.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

enum class Listing { kPlain, kBasicLargeFetch };

inline HANDLE FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW& entry, Listing listing) {
    if (listing == Listing::kPlain) return FindFirstFileW(pattern.c_str(), &entry);
    return FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
                            FIND_FIRST_EX_LARGE_FETCH);
}

// One directory listing per folder, breadth-first, as the walk does: the
// relative paths of every folder found, in that order.
inline std::vector<std::wstring> ListTree(const std::wstring& root, Listing listing = Listing::kPlain) {
    std::vector<std::wstring> found;
    std::deque<std::wstring> waiting{L""};
    while (!waiting.empty()) {
        const std::wstring folder = waiting.front();
        waiting.pop_front();
        WIN32_FIND_DATAW entry;
        const std::wstring base = folder.empty() ? root : root + L"\\" + folder;
        const HANDLE search = FindFirst(base + L"\\*.*", entry, listing);
        if (search == INVALID_HANDLE_VALUE) continue;
        do {
            const std::wstring name = entry.cFileName;
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..") {
                const std::wstring path = folder.empty() ? name : folder + L"\\" + name;
                found.push_back(path);
                waiting.push_back(path);
            }
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    return found;
}

// The same walk with the listings made ahead of it by a pool of `threads`
// workers, at most rt::ReadAhead::kDepth folders ahead, as the program's walk
// has them made; a folder whose listing no worker has begun is moved to the
// front of the pool's queue.
inline std::vector<std::wstring> ListTreeAhead(const std::wstring& root, int threads) {
    std::vector<std::wstring> found;
    // A run of its own, as the program's walk has: the waits poll as its do.
    rt::RunState run;
    run.pool.SetAheadThreads(threads);
    rt::ReadAhead ahead(run.pool);
    const auto patternOf = [&](const std::wstring& folder) {
        return (folder.empty() ? root : root + L"\\" + folder) + L"\\*.*";
    };
    std::size_t asked = 0;
    // Position 0 is the root, position i the folder found[i - 1].
    for (std::size_t position = 0; position <= found.size(); ++position) {
        const std::wstring folder = position == 0 ? L"" : found[position - 1];
        for (asked = std::max(asked, position); asked < found.size() && ahead.HasRoom(); ++asked) {
            ahead.Ask(patternOf(found[asked]));
        }
        const auto keep = [&](const wchar_t* name, DWORD attributes) {
            const std::wstring entry = name;
            if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && entry != L"." && entry != L"..") {
                found.push_back(folder.empty() ? entry : folder + L"\\" + entry);
            }
        };
        for (const rt::ListedEntry& entry : ahead.Listing(patternOf(folder))) keep(entry.name.c_str(), entry.attributes);
    }
    return found;
}

// The copy's floors: one creation per folder, parents first; or an
// existence test before each.
inline double CreateAll(const std::wstring& target, const std::vector<std::wstring>& folders, bool testFirst) {
    const LONGLONG start = Now();
    for (const std::wstring& folder : folders) {
        const std::wstring path = target + L"\\" + folder;
        if (!testFirst || !FolderThere(path)) CreateDirectoryW(path.c_str(), nullptr);
    }
    return SecondsSince(start);
}

// The undo's floors: one removal per folder, deepest first; or an existence
// test before each.
inline double RemoveAll(const std::wstring& target, const std::vector<std::wstring>& folders, bool testFirst) {
    const LONGLONG start = Now();
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
        const std::wstring path = target + L"\\" + *folder;
        if (!testFirst || FolderThere(path)) RemoveDirectoryW(path.c_str());
    }
    return SecondsSince(start);
}

}  // namespace bench
