#include "runtime/system/PathsIgnoringCase.h"

#include <windows.h>

#include "runtime/system/Cp932.h"

namespace rt {

namespace {

// The invariant mapping, not the user's language: a Turkish "i" is upper-cased
// as the file system does it, not as Turkish text is.
std::wstring Key(std::string_view path) {
    std::wstring wide;
    if (!ToWidePath(path, wide)) wide = ToWide(path);
    if (wide.empty()) return wide;
    std::wstring upper(wide.size(), L'\0');
    const int length = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.data(), static_cast<int>(wide.size()),
                                     upper.data(), static_cast<int>(upper.size()), nullptr, nullptr, 0);
    if (length <= 0) return wide;
    upper.resize(static_cast<std::size_t>(length));
    return upper;
}

}  // namespace

bool SameNameIgnoringCase(std::string_view a, std::string_view b) { return Key(a) == Key(b); }

void PathsIgnoringCase::Add(std::string_view path) { keys_.insert(Key(path)); }

bool PathsIgnoringCase::Holds(std::string_view path) const { return keys_.contains(Key(path)); }

}  // namespace rt
