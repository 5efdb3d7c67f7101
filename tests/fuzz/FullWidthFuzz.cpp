// The full-width form of any byte string. Every character of the result is
// two bytes: a one-byte character, a lone lead byte at the end included,
// becomes its full-width look-alike or ■, a two-byte character stays as it
// is, and a voiced or semi-voiced mark may merge into the one-byte katakana
// before it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Characters.h"
#include "Require.h"
#include "runtime/lang/Strings.h"

namespace {

using fuzz::Require;

bool IsMark(std::string_view character) {
    return fuzz::IsSingle(character, '\xDE') || fuzz::IsSingle(character, '\xDF');
}

// The input cut before every character that is no mark: a mark can only act
// on the character before it, so each piece converts on its own.
std::vector<std::string_view> PiecesBetweenMarks(std::string_view s) {
    std::vector<std::string_view> pieces;
    for (const std::string_view character : fuzz::Characters(s)) {
        if (pieces.empty() || !IsMark(character)) {
            pieces.push_back(character);
        } else {
            pieces.back() = std::string_view(pieces.back().data(), pieces.back().size() + character.size());
        }
    }
    return pieces;
}

}  // namespace

// The tables of full-width forms hold code page 932 bytes: ｿ becomes ソ, whose
// second byte is the byte of "\".
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Require(rt::FullWidth("\xBF") == "\x83\x5C", "half-width so becomes 83 5C");
    Require(rt::FullWidth("\\") == "\x81\x8F", "a backslash becomes the full-width yen sign 81 8F");
    Require(rt::FullWidth("\xB6\xDE") == "\x83\x4B", "half-width ka with a voiced mark becomes ga 83 4B");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view s(reinterpret_cast<const char*>(data), size);
    const std::string wide = rt::FullWidth(s);

    for (const std::string_view character : fuzz::Characters(wide)) {
        Require(character.size() == 2, "every character of the result is two bytes");
    }
    Require(rt::FullWidth(wide) == wide, "full-width text stays as it is");

    std::string joined;
    for (const std::string_view piece : PiecesBetweenMarks(s)) {
        const std::string pieceWide = rt::FullWidth(piece);
        const std::vector<std::string_view> characters = fuzz::Characters(piece);
        const std::size_t before = characters.size();
        const std::size_t after = fuzz::Characters(pieceWide).size();
        const std::string_view head = characters.front();
        if (head.size() == 2) {
            Require(std::string_view(pieceWide).starts_with(head), "a two-byte character stays as it is");
            Require(after == before, "no mark merges into a two-byte character");
        } else {
            Require(after == before || (after + 1 == before && before > 1 && !IsMark(head)),
                    "only the first mark after a one-byte character merges into it");
        }
        joined += pieceWide;
    }
    Require(joined == wide, "each character converts on its own, with the marks after it");
    return 0;
}
