#include "support/TempFolder.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <stdexcept>

#include "runtime/system/Cp932.h"

namespace test {

namespace {

std::wstring Wide(std::string_view path) { return rt::ToWide(path); }

void Check(bool ok, const char* what) {
    if (!ok) throw std::runtime_error(std::string(what) + " failed: " + std::to_string(GetLastError()));
}

// In UTF-16 throughout: a name without a code page 932 form must go too.
void RemoveWideTree(const std::wstring& wide) {
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(wide.c_str());
        return;
    }
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((wide + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name != L"." && name != L"..") RemoveWideTree(wide + L"\\" + name);
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(wide.c_str());
}

}  // namespace

TempFolder::TempFolder() {
    static std::atomic<unsigned> counter{0};
    wchar_t base[MAX_PATH + 1];
    Check(GetTempPathW(MAX_PATH + 1, base) != 0, "GetTempPathW");
    std::wstring folder = std::wstring(base) + L"soratn2-" + std::to_wstring(GetCurrentProcessId()) +
                          L"-" + std::to_wstring(counter++);
    RemoveWideTree(folder);
    Check(CreateDirectoryW(folder.c_str(), nullptr), "CreateDirectoryW");
    path_ = rt::ToCp932Shown(folder);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

std::string TempFolder::operator/(std::string_view relative) const {
    return path_ + "\\" + std::string(relative);
}

void MakeFolders(std::string_view path) {
    const std::wstring wide = Wide(path);
    for (std::size_t i = 3; i <= wide.size(); ++i) {
        if (i == wide.size() || wide[i] == L'\\') {
            CreateDirectoryW(wide.substr(0, i).c_str(), nullptr);
        }
    }
    Check(GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES, "MakeFolders");
}

void WriteBytes(std::string_view path, std::string_view bytes) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    Check(file != INVALID_HANDLE_VALUE, "CreateFileW");
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    Check(ok && written == bytes.size(), "WriteFile");
}

std::string ReadBytes(std::string_view path) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    Check(file != INVALID_HANDLE_VALUE, "CreateFileW");
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

bool Exists(std::string_view path) {
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTree(std::string_view path) { RemoveWideTree(Wide(path)); }

std::vector<std::string> FoldersBelow(std::string_view path) {
    std::vector<std::string> folders;
    for (const std::wstring& folder : FoldersBelowWide(path)) folders.push_back(rt::ToCp932Shown(folder));
    std::sort(folders.begin(), folders.end());
    return folders;
}

std::vector<std::wstring> FoldersBelowWide(std::string_view path) {
    std::vector<std::wstring> folders;
    std::vector<std::wstring> waiting{L""};
    const std::wstring root = Wide(path) + L"\\";
    while (!waiting.empty()) {
        const std::wstring folder = waiting.back();
        waiting.pop_back();
        WIN32_FIND_DATAW entry;
        HANDLE search = FindFirstFileW((root + folder + L"*").c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE) continue;
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L".." || !(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
            folders.push_back(folder + name);
            waiting.push_back(folder + name + L"\\");
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    std::sort(folders.begin(), folders.end());
    return folders;
}

}  // namespace test
