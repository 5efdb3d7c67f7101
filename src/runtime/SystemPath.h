#pragma once

#include <string>
#include <string_view>

// Turning program paths into the system's, shared by the file statements.
namespace rt {

inline constexpr std::size_t kMaxPathBytes = 260;

// The path as the system takes it. Bytes that are no code page 932 text raise
// 55: a name the system could not be given as written.
std::wstring SystemPath(std::string_view path);

// The system's absolute form of a path (GetFullPathNameW).
std::wstring AbsolutePath(const std::wstring& path);

// Raises the mapped error of the calling thread's last system error.
[[noreturn]] void RaiseLastSystemError();

}  // namespace rt
