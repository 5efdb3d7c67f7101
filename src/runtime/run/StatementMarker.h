#pragma once

namespace rt {

// The statement marker at the start of every statement: the poll, then the
// statement's own line number becomes the current line.
void Line(int number);

}  // namespace rt
