#include "runtime/SystemPath.h"

#include <windows.h>

#include "runtime/Cp932.h"
#include "runtime/ErrorMapping.h"
#include "runtime/ErrorNumbers.h"
#include "runtime/RuntimeError.h"

namespace rt {

std::wstring SystemPath(std::string_view path) {
    std::wstring wide;
    if (!ToWidePath(path, wide)) Raise(err::kBadFileName);
    return wide;
}

std::wstring AbsolutePath(const std::wstring& path) {
    std::wstring absolute(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(absolute.size()),
                                              absolute.data(), nullptr);
        if (length == 0) RaiseLastSystemError();
        if (length < absolute.size()) {
            absolute.resize(length);
            return absolute;
        }
        absolute.resize(length);
    }
}

void RaiseLastSystemError() { RaiseSystemError(GetLastError()); }

}  // namespace rt
