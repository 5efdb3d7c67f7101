#include "runtime/Cp932.h"

#include <windows.h>

#include <climits>

namespace rt {

namespace {

constexpr UINT kCodePage = 932;

std::string_view UpToZero(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

bool Convert(std::string_view text, DWORD flags, std::wstring& wide) {
    wide.clear();
    if (text.empty()) return true;
    if (text.size() > static_cast<std::size_t>(INT_MAX)) return false;
    const int length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(kCodePage, flags, text.data(), length, nullptr, 0);
    if (needed <= 0) return false;
    wide.resize(static_cast<std::size_t>(needed));
    return MultiByteToWideChar(kCodePage, flags, text.data(), length, wide.data(), needed) == needed;
}

}  // namespace

std::wstring ToWide(std::string_view text) {
    std::wstring wide;
    Convert(UpToZero(text), 0, wide);
    return wide;
}

bool ToWidePath(std::string_view path, std::wstring& wide) {
    return Convert(UpToZero(path), MB_ERR_INVALID_CHARS, wide);
}

std::string ToCp932(std::wstring_view text) {
    if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return {};
    const int length = static_cast<int>(text.size());
    const int needed =
        WideCharToMultiByte(kCodePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return {};
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(kCodePage, 0, text.data(), length, bytes.data(), needed, nullptr, nullptr);
    return bytes;
}

}  // namespace rt
