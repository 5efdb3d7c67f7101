#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// Numbered sequential text files. Each line is written as held, followed by
// CR LF; closing writes the end-of-file mark, one byte 0x1A.
namespace rt {

// Creates or empties the file and binds the number (1 to 255) to it.
void OpenForOutput(std::string_view path, long double fileNumber);

// Writes the line in its written form (rt::WrittenForm): each character
// without a code page 932 form as "?", which no Windows name can hold, so a
// file stays code page 932 text and no line names another folder.
void WriteLine(long double fileNumber, std::string_view line);

// Closes the listed numbers in order; an empty list closes every open file.
// A number that is not bound is passed over.
void CloseFiles(std::initializer_list<long double> fileNumbers = {});

// True when a file open under some number has this absolute path (compared
// without regard to letter case).
bool IsOpenUnderSomeNumber(const std::wstring& absolutePath);

}  // namespace rt
