#include "runtime/files/FileStatements.h"

#include <windows.h>

#include <array>

#include "runtime/files/OpenFiles.h"
#include "runtime/lang/Ascii.h"
#include "runtime/lang/ErrorNumbers.h"
#include "runtime/lang/RuntimeError.h"
#include "runtime/run/OffThread.h"
#include "runtime/system/Cp932.h"
#include "runtime/system/ErrorMapping.h"
#include "runtime/system/Handles.h"
#include "runtime/system/SystemPath.h"

namespace rt {

namespace {

enum class EntryKind { kNone, kFile, kFolder };

struct FoundEntry {
    FindHandle handle;
    WIN32_FIND_DATAW data{};
};

FoundEntry FindFirst(const std::wstring& path) {
    FoundEntry found;
    found.handle = FindHandle(FindFirstFileW(path.c_str(), &found.data));
    return found;
}

EntryKind FindEntry(std::string_view path) {
    if (path.find('*') != std::string_view::npos) Raise(err::kBadFileName);
    if (path.find('?') != std::string_view::npos) Raise(err::kBadFileName);
    std::wstring wide;
    if (!ToWidePath(path, wide)) return EntryKind::kNone;
    const FoundEntry found = OffThread([path = LongFormWhereNeeded(std::move(wide))] { return FindFirst(path); });
    if (!found.handle.Valid()) return EntryKind::kNone;
    return (found.data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? EntryKind::kFolder
                                                                : EntryKind::kFile;
}

std::wstring FolderPath(std::string_view path) {
    if (PathTooLong(path)) Raise(err::kBadArgument);
    return SystemFolderPath(path);
}

std::wstring CurrentFolderOfProcess() {
    return SystemText([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
}

// Opening the folder may wait on its server, so the change is made on the
// pool. Under Wine the change holds the process's lock on its current folder
// for as long as the server takes, and every call that makes a path absolute
// (GetFullPathNameW, any call given a path) waits for that lock. None is
// made meanwhile where it would matter: the program's thread only polls
// while it waits, and a program ended by Ctrl+C during the change closes its
// files through their handles. The read of the current folder is the
// process's own memory, on the program's thread.
void SetCurrentFolder(const std::wstring& folder) {
    if (!OffThread([folder] { return SetCurrentDirectoryW(folder.c_str()); })) RaiseLastSystemError();
}

// The runtime's own device names, which are no files.
bool IsDeviceName(std::string_view path) {
    static constexpr std::array<std::string_view, 8> kDevices = {
        "KYBD:", "SCRN:", "CONS:", "LPT1:", "LPT2:", "LPT3:", "COM1:", "COM2:"};
    for (std::string_view device : kDevices) {
        if (SameIgnoringAsciiCase(path, device)) return true;
    }
    return false;
}

}  // namespace

Int16 FileExists(std::string_view path) { return Truth(FindEntry(path) == EntryKind::kFile); }

Int16 FolderExists(std::string_view path) {
    return Truth(FindEntry(path) == EntryKind::kFolder);
}

// Asked of the entry itself, not listed: a drive root has no entry in a
// listing, but attributes of its own.
Int16 FolderOrDriveExists(std::string_view path) {
    std::wstring wide;
    if (!ToWidePath(path, wide)) return kFalse;
    const DWORD attributes =
        OffThread([path = LongFormWhereNeeded(std::move(wide))] { return GetFileAttributesW(path.c_str()); });
    return Truth(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
}

Int16 MakeFolderIfMissing(std::string_view path) {
    if (OffThread([folder = FolderPath(path)] { return CreateDirectoryW(folder.c_str(), nullptr); })) return kTrue;
    const DWORD failure = GetLastError();
    if (FindEntry(path) == EntryKind::kFolder) return kFalse;
    RaiseSystemError(failure);
}

Int16 RemoveFolderIfThere(std::string_view path) {
    if (OffThread([folder = FolderPath(path)] { return RemoveDirectoryW(folder.c_str()); })) return kTrue;
    const DWORD failure = GetLastError();
    if (FindEntry(path) != EntryKind::kFolder) return kFalse;
    RaiseSystemError(failure);
}

void ChangeFolder(std::string_view path) { SetCurrentFolder(FolderPath(path)); }

std::string CurrentFolder(std::string_view drive) {
    if (drive.empty()) return ToCp932Shown(CurrentFolderOfProcess());
    if (drive.size() != 2) Raise(err::kBadArgument);
    const char letter = AsciiUpper(drive[0]);
    if (!IsAsciiLetter(letter) || drive[1] != ':') Raise(err::kBadArgument);

    // Making "X:" current selects that drive's own current folder.
    const std::wstring saved = CurrentFolderOfProcess();
    SetCurrentFolder(std::wstring{static_cast<wchar_t>(letter), L':'});
    const std::wstring folder = CurrentFolderOfProcess();
    SetCurrentFolder(saved);
    return ToCp932Shown(folder);
}

void EraseFile(std::string_view path) {
    if (PathTooLong(path)) Raise(err::kBadFileName);
    if (IsDeviceName(path)) Raise(err::kBadFileName);
    std::wstring wide;
    if (!ToWidePath(path, wide)) Raise(err::kNotFound);
    const std::wstring systemPath = LongFormWhereNeeded(wide);
    const bool there = OffThread([systemPath] {
        return FileHandle(CreateFileW(systemPath.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr))
            .Valid();
    });
    if (!there) Raise(err::kNotFound);
    if (IsOpenUnderSomeNumber(AbsolutePath(wide))) Raise(err::kNumberInUse);
    if (!OffThread([systemPath] { return DeleteFileW(systemPath.c_str()); })) RaiseLastSystemError();
}

}  // namespace rt
