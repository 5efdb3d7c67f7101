#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "runtime/lang/Strings.h"

namespace fuzz {

// The characters of a code page 932 string as the program steps through
// them: one byte, or two from a lead byte on.
inline std::vector<std::string_view> Characters(std::string_view s) {
    std::vector<std::string_view> characters;
    for (std::size_t at = 0; at < s.size();) {
        const std::size_t next = rt::NextCharOffset(s, at);
        characters.push_back(s.substr(at, next - at));
        at = next;
    }
    return characters;
}

// Whether the character is the one-byte character c: the second byte of a
// two-byte character may hold the same value and is no such character.
inline bool IsSingle(std::string_view character, char c) { return character.size() == 1 && character[0] == c; }

}  // namespace fuzz
