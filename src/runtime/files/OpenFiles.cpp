#include "runtime/files/OpenFiles.h"

#include <windows.h>

#include <memory>
#include <new>

#include "runtime/files/Run.h"
#include "runtime/lang/Ascii.h"
#include "runtime/lang/ErrorNumbers.h"
#include "runtime/lang/Numbers.h"
#include "runtime/lang/RuntimeError.h"
#include "runtime/run/OffThread.h"
#include "runtime/system/Cp932.h"
#include "runtime/system/ErrorMapping.h"
#include "runtime/system/Handles.h"
#include "runtime/system/SystemPath.h"

namespace rt {

namespace {

constexpr int kFirstFileNumber = 1;
constexpr char kEndOfFileMark = 0x1A;

OpenFileTable& Table() { return TheRun().files; }

int FileNumber(long double number) {
    const std::int32_t n = IntArg(number);
    if (n < kFirstFileNumber || n > kLastFileNumber) Raise(err::kBadFileNumber);
    return n;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// What stands before the first colon must name a drive: a letter, or a drive
// number 0 to 25 that is replaced by its letter (2: becomes C:). A digit
// followed by something else ("1a:") is no drive number and is left as it is,
// as the file statements have always done: the system then refuses the name,
// so nothing is written anywhere but where the path says.
std::string WithDriveLetter(std::string_view path) {
    const std::size_t colon = path.find(':');
    if (colon == std::string_view::npos) return std::string(path);
    const std::string_view prefix = path.substr(0, colon);
    const bool driveNumber = (prefix.size() == 1 && IsDigit(prefix[0])) ||
                             (prefix.size() >= 2 && IsDigit(prefix[0]) && IsDigit(prefix[1]));
    if (driveNumber) {
        int value = 0;
        for (std::size_t i = 0; i < prefix.size() && IsDigit(prefix[i]) && value <= 25; ++i) {
            value = value * 10 + (prefix[i] - '0');
        }
        if (value > 25) Raise(err::kBadArgument);
        return static_cast<char>('A' + value) + std::string(path.substr(colon));
    }
    if (!prefix.empty() && IsDigit(prefix[0])) return std::string(path);
    if (prefix.size() != 1 || !IsAsciiLetter(prefix[0])) Raise(err::kBadArgument);
    return std::string(path);
}

// Windows refuses to replace a read-only file, and with CREATE_ALWAYS a hidden
// or system one (ERROR_ACCESS_DENIED). Asked first, so that the answer is the
// same where the system would let the caller through (Wine run as root).
bool IsProtectedFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    constexpr DWORD kProtected = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           (attributes & kProtected);
}

bool WriteAll(HANDLE handle, const char* bytes, std::size_t count) {
    DWORD written = 0;
    return WriteFile(handle, bytes, static_cast<DWORD>(count), &written, nullptr) &&
           written == count;
}

// Writes the end-of-file mark and closes the file; the system error of a
// failed mark, or 0.
DWORD Close(OpenFile& file) {
    const DWORD failure = WriteAll(file.handle.Get(), &kEndOfFileMark, 1) ? 0 : GetLastError();
    file.handle.Reset();
    return failure;
}

// Closes the file of the number and releases the number; the system error of
// a failed mark, or 0.
DWORD CloseNumber(OpenFileTable& table, int number) {
    std::shared_ptr<OpenFile> file = std::move(table[static_cast<std::size_t>(number)]);
    if (!file) return 0;
    return OffThread([file = std::move(file)] { return Close(*file); });
}

// The file made, or emptied, for writing; an invalid handle with the
// system's error when it cannot be.
FileHandle CreateForWriting(const std::wstring& systemPath) {
    if (IsProtectedFile(systemPath)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FileHandle();
    }
    return FileHandle(CreateFileW(systemPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

void OpenForOutput(std::string_view path, long double fileNumber) {
    if (PathTooLong(path)) Raise(err::kBadFileName);
    OpenFileTable& table = Table();
    const int number = FileNumber(fileNumber);
    if (table[static_cast<std::size_t>(number)]) Raise(err::kNumberInUse);
    const std::string drivePath = WithDriveLetter(path);
    if (drivePath.find_first_of("*?") != std::string::npos) Raise(err::kBadFileName);

    auto file = std::make_shared<OpenFile>();
    file->absolutePath = AbsolutePath(SystemPath(drivePath));
    file->handle = OffThread([systemPath = LongFormWhereNeeded(file->absolutePath)] {
        return CreateForWriting(systemPath);
    });
    if (!file->handle.Valid()) RaiseLastSystemError();
    table[static_cast<std::size_t>(number)] = std::move(file);
}

void WriteLine(long double fileNumber, std::string_view line) {
    OpenFileTable& table = Table();
    const int number = FileNumber(fileNumber);
    const std::shared_ptr<OpenFile>& file = table[static_cast<std::size_t>(number)];
    if (!file) Raise(err::kNotOpen);

    std::string buffer;
    try {
        buffer = WrittenForm(line);
        buffer.reserve(buffer.size() + 2);
    } catch (const std::bad_alloc&) {
        Raise(err::kNoLineBuffer);
    } catch (const std::length_error&) {
        Raise(err::kNoLineBuffer);
    }
    buffer.append("\r\n");
    // One write per line, so a line is never broken up.
    if (!OffThread([file, buffer = std::move(buffer)] { return WriteAll(file->handle.Get(), buffer.data(), buffer.size()); })) {
        RaiseLastSystemError();
    }
}

void CloseFiles(std::initializer_list<long double> fileNumbers) {
    OpenFileTable& table = Table();
    DWORD failure = 0;
    if (fileNumbers.size() == 0) {
        for (int number = kFirstFileNumber; number <= kLastFileNumber; ++number) {
            const DWORD result = CloseNumber(table, number);
            if (failure == 0) failure = result;
        }
    } else {
        for (long double fileNumber : fileNumbers) {
            const DWORD result = CloseNumber(table, FileNumber(fileNumber));
            if (failure == 0) failure = result;
        }
    }
    // Every file is closed first; a lost end mark is still reported.
    if (failure != 0) RaiseSystemError(failure);
}

void CloseFilesAtTheEnd() {
    Pool& pool = ThePool();
    for (std::shared_ptr<OpenFile>& slot : Table()) {
        if (!slot) continue;
        const Pool::Ticket job = pool.Submit([file = std::move(slot)] { Close(*file); });
        pool.Hurry(job);
        pool.WaitAtTheEnd(job);
    }
}

bool IsOpenUnderSomeNumber(const std::wstring& absolutePath) {
    for (const auto& file : Table()) {
        if (file && lstrcmpiW(file->absolutePath.c_str(), absolutePath.c_str()) == 0) return true;
    }
    return false;
}

}  // namespace rt
