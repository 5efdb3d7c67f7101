#include "runtime/system/ErrorMapping.h"

#include "runtime/lang/ErrorNumbers.h"
#include "runtime/lang/RuntimeError.h"

namespace rt {

namespace {

struct Mapping {
    std::uint32_t windowsCode;
    int error;
};

// Searched from the top; the first matching code wins.
constexpr Mapping kMappings[] = {
    {1, 5},     // ERROR_INVALID_FUNCTION
    {2, 63},    // ERROR_FILE_NOT_FOUND
    {3, 63},    // ERROR_PATH_NOT_FOUND
    {4, 66},    // ERROR_TOO_MANY_OPEN_FILES
    {5, 75},    // ERROR_ACCESS_DENIED
    {8, 7},     // ERROR_NOT_ENOUGH_MEMORY
    {11, 71},   // ERROR_BAD_FORMAT
    {12, 75},   // ERROR_INVALID_ACCESS
    {14, 7},    // ERROR_OUTOFMEMORY
    {15, 72},   // ERROR_INVALID_DRIVE
    {16, 72},   // ERROR_CURRENT_DIRECTORY
    {17, 72},   // ERROR_NOT_SAME_DEVICE
    {18, 67},   // ERROR_NO_MORE_FILES
    {19, 73},   // ERROR_WRITE_PROTECT
    {20, 60},   // ERROR_BAD_UNIT
    {21, 72},   // ERROR_NOT_READY
    {26, 71},   // ERROR_NOT_DOS_DISK
    {27, 71},   // ERROR_SECTOR_NOT_FOUND
    {28, 60},   // ERROR_OUT_OF_PAPER
    {29, 67},   // ERROR_WRITE_FAULT
    {30, 54},   // ERROR_READ_FAULT
    {32, 75},   // ERROR_SHARING_VIOLATION
    {33, 75},   // ERROR_LOCK_VIOLATION
    {34, 60},   // ERROR_WRONG_DISK
    {39, 67},   // ERROR_HANDLE_DISK_FULL
    {50, 28},   // ERROR_NOT_SUPPORTED
    {65, 55},   // ERROR_NETWORK_ACCESS_DENIED
    {80, 64},   // ERROR_FILE_EXISTS
    {87, 5},    // ERROR_INVALID_PARAMETER
    {108, 59},  // ERROR_DRIVE_LOCKED
    {110, 63},  // ERROR_OPEN_FAILED
    {111, 61},  // ERROR_BUFFER_OVERFLOW
    {112, 67},  // ERROR_DISK_FULL
    {113, 66},  // ERROR_NO_MORE_SEARCH_HANDLES
    {123, 55},  // ERROR_INVALID_NAME
    {183, 64},  // ERROR_ALREADY_EXISTS
    {267, 55},  // ERROR_DIRECTORY
    {1155, 55}, // ERROR_NO_ASSOCIATION
};

}  // namespace

int MapSystemError(std::uint32_t windowsCode) {
    for (const Mapping& mapping : kMappings) {
        if (mapping.windowsCode == windowsCode) return mapping.error;
    }
    return err::kSystemFailure;
}

void RaiseSystemError(std::uint32_t windowsCode) { Raise(MapSystemError(windowsCode)); }

}  // namespace rt
