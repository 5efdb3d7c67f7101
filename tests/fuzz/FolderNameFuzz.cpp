// Which byte strings pass as exact folder names. Whatever passes must be a
// name Windows keeps as it is: no separator or other character it refuses,
// no control code, no dot or space at the end, nothing but whole code page
// 932 characters.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Characters.h"
#include "Require.h"
#include "runtime/lang/FolderName.h"
#include "runtime/lang/Strings.h"

namespace {

using fuzz::Require;

bool IsTrailByte(unsigned char byte) { return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC); }

void CheckCharacter(std::string_view character) {
    const auto first = static_cast<unsigned char>(character[0]);
    if (character.size() == 2) {
        Require(IsTrailByte(static_cast<unsigned char>(character[1])), "a two-byte character has a valid second byte");
        return;
    }
    Require(!rt::IsLeadByte(first), "no lead byte without its second byte");
    Require(first >= 32, "no control code");
    Require(std::string_view("\\/:*?\"<>|").find(character[0]) == std::string_view::npos,
            "none of the characters Windows refuses in a name");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view name(reinterpret_cast<const char*>(data), size);
    if (!rt::IsExactFolderName(name)) return 0;

    const std::vector<std::string_view> characters = fuzz::Characters(name);
    Require(!characters.empty(), "no empty name");
    for (const std::string_view character : characters) CheckCharacter(character);
    const std::string_view last = characters.back();
    Require(!fuzz::IsSingle(last, '.') && !fuzz::IsSingle(last, ' '), "no dot or space at the end");
    // No reserved device name ends in A, and the letter ends the name.
    Require(rt::IsExactFolderName(std::string(name) + "A"), "a letter after an exact name keeps it exact");
    return 0;
}
