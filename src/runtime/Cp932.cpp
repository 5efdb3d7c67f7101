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

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// One code point: two UTF-16 units for a surrogate pair, else one.
std::size_t CodePointLength(std::wstring_view text, std::size_t at) {
    return IsHighSurrogate(text[at]) && at + 1 < text.size() && IsLowSurrogate(text[at + 1]) ? 2 : 1;
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

bool ToCp932(std::wstring_view text, std::string& bytes) {
    bytes.clear();
    if (text.empty()) return true;
    if (text.size() > static_cast<std::size_t>(INT_MAX)) return false;
    // WC_NO_BEST_FIT_CHARS keeps every character that does not come back
    // unchanged from its code page 932 form out of the result, and the
    // used-default flag says that happened. A lone surrogate has no form either.
    const int length = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int needed = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text.data(), length,
                                           nullptr, 0, nullptr, &usedDefault);
    if (needed <= 0 || usedDefault) return false;
    bytes.resize(static_cast<std::size_t>(needed));
    const int written = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text.data(), length,
                                            bytes.data(), needed, nullptr, &usedDefault);
    // Belt and braces: the bytes must give back the very same text.
    std::wstring back;
    if (written != needed || usedDefault || !Convert(bytes, MB_ERR_INVALID_CHARS, back) || back != text) {
        bytes.clear();
        return false;
    }
    return true;
}

std::string ToCp932Shown(std::wstring_view text) {
    std::string bytes;
    if (ToCp932(text, bytes)) return bytes;
    std::string character;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = CodePointLength(text, at);
        bytes += ToCp932(text.substr(at, length), character) ? character : "?";
        at += length;
    }
    return bytes;
}

}  // namespace rt
