#pragma once

#include <string>
#include <string_view>

#include "runtime/lang/Numbers.h"

// Folder and file statements on code page 932 paths, passed to the system as
// held: no trimming, no change of separators or case. Failures raise the
// numbered runtime error; the two existence tests answer kTrue or kFalse.
namespace rt {

// A file (not a folder) of that name exists. A "*" or "?" raises 55.
Int16 FileExists(std::string_view path);

// A folder of that name exists. The system finds no entry for a drive root or
// a path ending in "\", so both answer kFalse.
Int16 FolderExists(std::string_view path);

// A folder or a drive root of that name exists: a folder the user handed
// over by dragging it, which may be a whole drive.
Int16 FolderOrDriveExists(std::string_view path);

// Paths longer than the system holds raise 5; system failures the mapped error.
void ChangeFolder(std::string_view path);

// Makes the folder: kTrue when it was made, kFalse when a folder of that name
// was there already. Any other failure, a file of that name among them,
// raises the system's error. The system is asked to make the folder first and
// the existence test comes only after a failure, as a test of a missing name
// costs as much as the making itself.
Int16 MakeFolderIfMissing(std::string_view path);

// Removes the folder: kTrue when it was removed, kFalse when no folder of that
// name was there (nothing, or a file). A folder that stays, because it is
// not empty or not ours to remove, raises the system's error.
Int16 RemoveFolderIfThere(std::string_view path);

// drive: "" for the current drive, or a letter and a colon ("C:").
std::string CurrentFolder(std::string_view drive);

// Deletes a file that is not open under any file number.
void EraseFile(std::string_view path);

}  // namespace rt
