#pragma once

#include <string>
#include <string_view>

// The one place where program strings (code page 932 bytes) meet the
// system's UTF-16. Code page 932 is named explicitly, so the result does not
// depend on the system's ANSI code page.
namespace rt {

// The bytes up to the first zero byte, as the system would see them.
// Bytes that are no code page 932 text become the system's default character.
std::wstring ToWide(std::string_view text);

// Like ToWide, for names handed to the file system: false when the bytes are
// no valid code page 932 text (a replacement character could change which
// file is meant).
bool ToWidePath(std::string_view path, std::wstring& wide);

std::string ToCp932(std::wstring_view text);

}  // namespace rt
