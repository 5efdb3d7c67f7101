// Cuts any byte string as a path; the parts must give the path back and fall
// on character boundaries, so that the second byte of ソ or 表 never ends a
// folder.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "Characters.h"
#include "Require.h"
#include "runtime/lang/SplitPath.h"

namespace {

using fuzz::Require;

// For each offset of the path: whether a character starts there.
std::vector<bool> CharacterStarts(std::string_view path) {
    std::vector<bool> starts(path.size() + 1, false);
    for (const std::string_view character : fuzz::Characters(path)) {
        starts[static_cast<std::size_t>(character.data() - path.data())] = true;
    }
    starts[path.size()] = true;
    return starts;
}

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view path(reinterpret_cast<const char*>(data), size);
    const rt::PathParts parts = rt::SplitPath(path);
    Require(parts.drive + parts.folder + parts.name + parts.extension == path, "the four parts give the path back");

    const std::vector<bool> starts = CharacterStarts(path);
    const std::size_t nameAt = parts.drive.size() + parts.folder.size();
    const std::size_t extensionAt = nameAt + parts.name.size();

    const std::string_view drive = parts.drive;
    Require(drive.empty() || drive.starts_with("\\\\") || (drive.size() == 2 && IsLetter(drive[0]) && drive[1] == ':'),
            "the drive is a letter and a colon or a server and share");
    Require(starts[parts.drive.size()], "the folder starts a character");
    Require(parts.folder.empty() || (parts.folder.back() == '\\' && starts[nameAt - 1]),
            "the folder ends in a \\ character");
    Require(parts.extension.empty() || (parts.extension.front() == '.' && starts[extensionAt]),
            "the extension starts with a full stop character");
    for (std::size_t at = nameAt; at < path.size(); ++at) {
        if (!starts[at]) continue;
        Require(path[at] != '\\', "no \\ character after the folder");
        Require(at <= extensionAt || path[at] != '.', "no full stop character after the one of the extension");
    }
    return 0;
}
