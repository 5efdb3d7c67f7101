#pragma once

#include <string>
#include <string_view>

// The one place where program strings (code page 932 bytes) meet the
// system's UTF-16. Code page 932 is named explicitly, so the result does not
// depend on the system's ANSI code page. Nothing is ever replaced by a
// look-alike (¥ by "\", é by "e"): that would name another file.
namespace rt {

// The bytes up to the first zero byte, as the system would see them.
// Bytes that are no code page 932 text become the system's default character.
std::wstring ToWide(std::string_view text);

// Like ToWide, for names handed to the file system: false when the bytes are
// no valid code page 932 text (a replacement character could change which
// file is meant).
bool ToWidePath(std::string_view path, std::wstring& wide);

// The exact code page 932 form of text: false, with `bytes` empty, when some
// character has none.
bool ToCp932(std::wstring_view text, std::string& bytes);

// For text that is read rather than used as a name as it is: each character
// without a code page 932 form reads as "?", which no Windows name can hold,
// so the result never names another file.
std::string ToCp932Shown(std::wstring_view text);

}  // namespace rt
