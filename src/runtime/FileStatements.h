#pragma once

#include <string>
#include <string_view>

#include "runtime/Numbers.h"

// Folder and file statements on code page 932 paths, passed to the system as
// held: no trimming, no change of separators or case. Failures raise the
// numbered runtime error; the two existence tests answer kTrue or kFalse.
namespace rt {

// A file (not a folder) of that name exists. A "*" or "?" raises 55.
Int16 FileExists(std::string_view path);

// A folder of that name exists. The system finds no entry for a drive root or
// a path ending in "\", so both answer kFalse.
Int16 FolderExists(std::string_view path);

// Paths over 260 bytes raise 5; system failures the mapped error.
void MakeFolder(std::string_view path);
void RemoveFolder(std::string_view path);
void ChangeFolder(std::string_view path);

// drive: "" for the current drive, or a letter and a colon ("C:").
std::string CurrentFolder(std::string_view drive);

// Deletes a file that is not open under any file number.
void EraseFile(std::string_view path);

}  // namespace rt
