#pragma once

#include <string_view>

namespace rt {

// Whether Windows makes a folder of exactly this name (code page 932 bytes),
// so that what the program makes, lists or removes is the folder it means.
// Refused: an empty name; a character Windows does not allow in a name
// (\ / : * ? " < > | or a code below 32); a last character that is a dot or a
// space, which Windows drops (so also ".", ".." and dots or spaces alone); a
// reserved device name (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9), alone or
// with an extension; a lead byte alone or before a byte that cannot follow
// it. (A well-formed but unassigned character is left to the conversion,
// which refuses it when the name reaches the system.)
bool IsExactFolderName(std::string_view name);

}  // namespace rt
