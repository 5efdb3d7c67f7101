#pragma once

#include <array>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "runtime/system/Handles.h"

// Numbered sequential text files. Each line is written as held, followed by
// CR LF; closing writes the end-of-file mark, one byte 0x1A.
namespace rt {

inline constexpr int kLastFileNumber = 255;

struct OpenFile {
    FileHandle handle;
    std::wstring absolutePath;
};

// The run's open files by number. Each number holds at most one file, so
// there is always room for a file under a number not yet bound: "too many
// files" (66) can only come from the system (ERROR_TOO_MANY_OPEN_FILES,
// mapped). A file is shared with the pool's job that writes to it, so a
// write a server holds after the run has ended still has its handle; the
// last owner closes it, with no end mark.
using OpenFileTable = std::array<std::shared_ptr<OpenFile>, kLastFileNumber + 1>;

// Creates or empties the file and binds the number (1 to 255) to it.
void OpenForOutput(std::string_view path, long double fileNumber);

// Writes the line in its written form (rt::WrittenForm): each character
// without a code page 932 form as "?", which no Windows name can hold, so a
// file stays code page 932 text and no line names another folder.
void WriteLine(long double fileNumber, std::string_view line);

// Closes the listed numbers in order; an empty list closes every open file.
// A number that is not bound is passed over. Opening, writing and closing
// are made on the run's pool (runtime/run/OffThread.h): a file on a server
// that answers late never keeps the window from answering.
void CloseFiles(std::initializer_list<long double> fileNumbers = {});

// Closes every open file as the program ends, however it ends: each gets
// its end mark, unless a server holds it longer than a local call takes;
// the end does not wait for that one. Failures are not reported.
void CloseFilesAtTheEnd();

// True when a file open under some number has this absolute path (compared
// without regard to letter case).
bool IsOpenUnderSomeNumber(const std::wstring& absolutePath);

}  // namespace rt
