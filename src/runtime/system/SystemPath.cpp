#include "runtime/system/SystemPath.h"

#include <windows.h>

#include "runtime/system/Cp932.h"
#include "runtime/system/ErrorMapping.h"
#include "runtime/lang/ErrorNumbers.h"
#include "runtime/lang/RuntimeError.h"

namespace rt {

std::wstring SystemPath(std::string_view path) {
    std::wstring wide;
    if (!ToWidePath(path, wide)) Raise(err::kBadFileName);
    return wide;
}

std::size_t PathLength(std::string_view path) {
    if (!HoldsLentCharacters(path)) return path.size();
    std::wstring wide;
    ToWidePath(path, wide);
    return wide.size();
}

std::wstring SystemFolderPath(std::string_view path) { return LongFormWhereNeeded(SystemPath(path)); }

std::wstring LongFormWhereNeeded(std::wstring wide) {
    // Below the long form Windows refuses to make a folder through a path of
    // MAX_PATH - 12 characters or more, although the program allows 260 bytes.
    // The long form is used as given, with no resolution of "." or "..", so
    // the path is made absolute first.
    constexpr std::size_t kShortFormLimit = MAX_PATH - 12;
    if (wide.size() < kShortFormLimit || wide.starts_with(L"\\\\?\\") || wide.starts_with(L"\\\\.\\")) {
        return wide;
    }
    const std::wstring absolute = AbsolutePath(wide);
    if (absolute.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + absolute.substr(2);
    return L"\\\\?\\" + absolute;
}

std::wstring SearchPattern(std::string_view pattern) {
    std::wstring wide;
    if (!ToWidePath(pattern, wide)) return wide;
    return LongFormWhereNeeded(std::move(wide));
}

std::wstring AbsolutePath(const std::wstring& path) {
    return SystemText(
        [&](wchar_t* buffer, DWORD size) { return GetFullPathNameW(path.c_str(), size, buffer, nullptr); });
}

std::wstring SystemText(const std::function<DWORD(wchar_t* buffer, DWORD size)>& call) {
    std::wstring text(MAX_PATH + 1, L'\0');
    for (;;) {
        const DWORD length = call(text.data(), static_cast<DWORD>(text.size()));
        if (length == 0) RaiseLastSystemError();
        if (length < text.size()) {
            text.resize(length);
            return text;
        }
        text.resize(length);
    }
}

void RaiseLastSystemError() { RaiseSystemError(GetLastError()); }

}  // namespace rt
