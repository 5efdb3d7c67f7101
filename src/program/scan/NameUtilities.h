#pragma once

#include <string>

#include "runtime/lang/Array.h"
#include "runtime/lang/Numbers.h"

// The program's subroutines on names and paths. They use no window and no
// file, so they are also built natively for fuzzing.
namespace program {

// positions(0) = the number of occurrences of pattern in text, positions(1)
// and on = their byte positions.
void INSTR_SUB(const std::string& text, const std::string& pattern, rt::Array<rt::Int16>& positions);

// Puts the full-width look-alike in place of each character that cannot
// stand in a folder name.
void ファイル名修正_SUB(std::string& name);

}  // namespace program
