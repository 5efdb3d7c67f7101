// The name correction of the parent folder name on any byte string. Every one of
// \ / : * ? < > | " that is a character of its own gives way to a two-byte
// look-alike; every other character, the two-byte ones whose second byte is
// that of "\" or "|" among them, stays as it is.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Characters.h"
#include "Require.h"
#include "program/scan/NameUtilities.h"

namespace {

using fuzz::Require;

// A name of a folder holds at most 255 characters. The correction starts its
// walk over after each replacement, so longer input only slows the run down.
constexpr std::size_t kLongestName = 255;

bool IsNotAllowed(std::string_view character) {
    for (const char c : std::string_view("\\/:*?<>|\"")) {
        if (fuzz::IsSingle(character, c)) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kLongestName) return 0;
    const std::string original(reinterpret_cast<const char*>(data), size);
    std::string name = original;
    program::ファイル名修正_SUB(name);

    const std::vector<std::string_view> before = fuzz::Characters(original);
    const std::vector<std::string_view> after = fuzz::Characters(name);
    Require(after.size() == before.size(), "the correction keeps the number of characters");
    for (std::size_t i = 0; i < before.size(); ++i) {
        Require(!IsNotAllowed(after[i]), "no character left that a name cannot hold");
        if (IsNotAllowed(before[i])) {
            Require(after[i].size() == 2, "a character a name cannot hold becomes a two-byte one");
        } else {
            Require(after[i] == before[i], "every other character stays as it is");
        }
    }

    std::string again = name;
    program::ファイル名修正_SUB(again);
    Require(again == name, "a corrected name needs no further correction");
    return 0;
}
