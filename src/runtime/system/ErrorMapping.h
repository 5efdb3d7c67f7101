#pragma once

#include <cstdint>

namespace rt {

// The runtime error number that a failed system call raises, from its Windows
// error code (GetLastError). Codes without a row give 27.
int MapSystemError(std::uint32_t windowsCode);

[[noreturn]] void RaiseSystemError(std::uint32_t windowsCode);

}  // namespace rt
