#pragma once

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

// What the benchmarks share: a clock, and the bare system calls that are the
// floor the program is measured against.
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

// One existence test, as the program makes it.
inline bool FolderThere(const std::wstring& path) {
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW(path.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// One directory listing per folder, breadth-first, as the walk does: the
// relative paths of every folder found, in that order.
inline std::vector<std::wstring> ListTree(const std::wstring& root) {
    std::vector<std::wstring> found;
    std::deque<std::wstring> waiting{L""};
    while (!waiting.empty()) {
        const std::wstring folder = waiting.front();
        waiting.pop_front();
        WIN32_FIND_DATAW entry;
        const std::wstring base = folder.empty() ? root : root + L"\\" + folder;
        const HANDLE search = FindFirstFileW((base + L"\\*.*").c_str(), &entry);
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

}  // namespace bench
