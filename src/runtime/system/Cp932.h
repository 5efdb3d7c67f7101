#pragma once

#include <string>
#include <string_view>

// The one place where program strings (code page 932 bytes) meet the
// system's UTF-16. Code page 932 is named explicitly, so the result does not
// depend on the system's ANSI code page. Nothing is ever replaced by a
// look-alike (¥ by "\", é by "e"): that would name another file. A character
// without a code page 932 form is lent a user-defined character for the run
// (runtime/system/LentPlaces), so every name Windows can hold is carried exactly.
namespace rt {

// The bytes up to the first zero byte, as the system would see them.
// Bytes that are no code page 932 text become the system's default character.
std::wstring ToWide(std::string_view text);

// Like ToWide, for names handed to the file system: false when the bytes are
// no valid code page 932 text (a replacement character could change which
// file is meant).
bool ToWidePath(std::string_view path, std::wstring& wide);

// The program form of text: false, with `bytes` empty, only when some
// character could get no place because the run has lent every place.
bool ToCp932(std::wstring_view text, std::string& bytes);

// The same, with "?" for each character that could get no place; "?" is in
// no Windows name, so the result never names another file.
std::string ToCp932Shown(std::wstring_view text);

// The bytes as a text file holds them: each lent character as "?".
std::string WrittenForm(std::string_view text);

// Whether the text holds a lent character.
bool HoldsLentCharacters(std::string_view text);

// Every lent place free again: the start and end of a run.
void ForgetLentCharacters();

}  // namespace rt
