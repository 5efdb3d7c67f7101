#include "runtime/system/SystemPath.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "runtime/lang/ErrorNumbers.h"
#include "runtime/lang/RuntimeError.h"
#include "runtime/system/Cp932.h"
#include "runtime/system/ErrorMapping.h"

namespace rt {

std::wstring SystemPath(std::string_view path) {
    std::wstring wide;
    if (!ToWidePath(path, wide)) Raise(err::kBadFileName);
    return wide;
}

namespace {

bool IsLongForm(const std::wstring& path) { return path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\"); }

std::wstring LongFormOfAbsolute(const std::wstring& absolute) {
    if (IsLongForm(absolute)) return absolute;
    if (absolute.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + absolute.substr(2);
    return L"\\\\?\\" + absolute;
}

// The long form the system would be handed, counted whatever the length;
// nothing where the system makes no absolute path of it at all.
std::optional<std::wstring> CountedForm(const std::wstring& wide) {
    if (IsLongForm(wide)) return wide;
    try {
        return LongFormOfAbsolute(AbsolutePath(wide));
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

std::size_t LongestName(std::wstring_view path) {
    std::size_t longest = 0;
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t end = path.find(L'\\', start);
        if (end == std::wstring_view::npos) end = path.size();
        longest = std::max(longest, end - start);
        start = end + 1;
    }
    return longest;
}

}  // namespace

std::size_t PathLength(std::string_view path) {
    std::wstring wide;
    if (!ToWidePath(path, wide)) return path.size();
    if (wide.empty()) return 0;
    const std::optional<std::wstring> counted = CountedForm(wide);
    return counted ? counted->size() : kMaxPathUnits + 1;
}

bool PathTooLong(std::string_view path) {
    std::wstring wide;
    if (!ToWidePath(path, wide)) return path.size() > kMaxPathUnits;
    if (wide.empty()) return false;
    const std::optional<std::wstring> counted = CountedForm(wide);
    return !counted || counted->size() > kMaxPathUnits || LongestName(*counted) > kMaxNameUnits;
}

std::wstring SystemFolderPath(std::string_view path) { return LongFormWhereNeeded(SystemPath(path)); }

std::wstring LongFormWhereNeeded(std::wstring wide) {
    // Below the long form Windows refuses to make a folder through a path of
    // MAX_PATH - 12 characters or more, and to open a file through one of
    // MAX_PATH or more.
    constexpr std::size_t kShortFormLimit = MAX_PATH - 12;
    if (wide.size() < kShortFormLimit) return wide;
    return LongForm(wide);
}

std::wstring LongForm(const std::wstring& path) {
    // The long form is used as given, with no resolution of "." or ".." and
    // no current folder, so the path is made absolute first.
    return IsLongForm(path) ? path : LongFormOfAbsolute(AbsolutePath(path));
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
