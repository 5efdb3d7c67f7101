#pragma once

#include <functional>
#include <string>
#include <string_view>

// Turning program paths into the system's, shared by the file statements.
namespace rt {

// What Windows holds: a whole path of 32767 UTF-16 units in its long form
// ("\\?\C:\...", "\\?\UNC\server\share\..."), and 255 units for one name.
// Code page 932 bytes say nothing of this: a kanji is two bytes and one unit.
inline constexpr std::size_t kMaxPathUnits = 32767;
inline constexpr std::size_t kMaxNameUnits = 255;

// The path's length as the system counts it: the UTF-16 units of its long
// form, made absolute against the current folder. Bytes that are no code
// page 932 text are counted as bytes; the system is never given them.
std::size_t PathLength(std::string_view path);

// Whether the system would refuse the path for its length: the whole of it
// over kMaxPathUnits, or one of its names over kMaxNameUnits.
bool PathTooLong(std::string_view path);

// The path as the system takes it. Bytes that are no code page 932 text raise
// 55: a name the system could not be given as written.
std::wstring SystemPath(std::string_view path);

// The path handed to the system to make, remove or look for a folder: a path
// of 248 characters or more in its long form ("\\?\C:\...",
// "\\?\UNC\server\share\..."), which Windows takes up to 32767 characters.
std::wstring SystemFolderPath(std::string_view path);
// The same for any path the system is handed, file or folder: below 248
// characters as it is, so a short path costs nothing more.
std::wstring LongFormWhereNeeded(std::wstring path);
// The long form whatever the length; "\\?\" and "\\.\" paths as they are.
std::wstring LongForm(const std::wstring& path);

// The pattern of a directory search as the system takes it, in its long form
// where needed; "" (which matches nothing) for bytes that are no code page
// 932 text.
std::wstring SearchPattern(std::string_view pattern);

// The system's absolute form of a path (GetFullPathNameW).
std::wstring AbsolutePath(const std::wstring& path);

// The text a system call writes into a buffer of the size given, grown until
// it fits. The call answers the characters written, or, when the buffer is too
// small, the size it needs; 0 on failure, which raises the mapped error.
std::wstring SystemText(const std::function<unsigned long(wchar_t* buffer, unsigned long size)>& call);

// Raises the mapped error of the calling thread's last system error.
[[noreturn]] void RaiseLastSystemError();

}  // namespace rt
