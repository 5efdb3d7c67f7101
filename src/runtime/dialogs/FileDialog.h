#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The save dialog as the commands use it: the user points at a folder by
// confirming a name in it, or at a file to write. The dialog itself never
// creates, opens or deletes a file.
namespace rt {

// What the dialog gives when the user cancelled or it failed: the escape
// character alone.
inline constexpr std::string_view kDialogCancelled = "\x1B";

// Shows the save dialog, modal to `owner`. It opens in the folder of
// `defaultName` (made full against the current directory) and proposes its
// last component as the name. `filterText` lists the file types as entries
// separated by ";", each a description followed by its patterns in
// parentheses, e.g. "Text(*.txt, *.doc)"; "" offers all files. Mode 0 asks
// before an existing file is overwritten, mode 1 does not.
//
// Gives the confirmed path; kDialogCancelled also when that path is not full
// or has no exact code page 932 form. Raises 5 for a title over 64 bytes, a default name
// over 260, a filter text over 511, an entry without patterns, or a mode that
// is not 0 or 1 after the integer argument conversion.
std::string ShowFileDialog(HWND owner, std::string_view title, std::string_view defaultName,
                           std::string_view filterText, long double mode);

// The drive followed by the folder of a dialog result, ending in "\": the
// folder in which the user confirmed a name. "" for kDialogCancelled.
std::string FolderOfDialogResult(std::string_view result);

}  // namespace rt
