#include "runtime/lang/SplitPath.h"

#include <cstddef>

#include "runtime/lang/Ascii.h"
#include "runtime/lang/Strings.h"

namespace rt {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

// Offset of the first "\" at or after `from` that starts a character.
std::size_t FindSeparator(std::string_view path, std::size_t from) {
    for (std::size_t i = from; i < path.size(); i = NextCharOffset(path, i)) {
        if (path[i] == '\\') return i;
    }
    return kNone;
}

std::size_t DriveLength(std::string_view path) {
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
        // \\server\share: up to the backslash that follows the share name.
        const std::size_t afterServer = FindSeparator(path, 2);
        if (afterServer == kNone) return path.size();
        const std::size_t afterShare = FindSeparator(path, afterServer + 1);
        return afterShare == kNone ? path.size() : afterShare;
    }
    if (path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':') return 2;
    return 0;
}

}  // namespace

PathParts SplitPath(std::string_view path) {
    const std::size_t driveEnd = DriveLength(path);

    std::size_t folderEnd = driveEnd;
    std::size_t lastStop = kNone;
    for (std::size_t i = driveEnd; i < path.size(); i = NextCharOffset(path, i)) {
        if (path[i] == '\\') {
            folderEnd = i + 1;
            lastStop = kNone;
        } else if (path[i] == '.') {
            lastStop = i;
        }
    }

    const std::size_t nameEnd = lastStop == kNone ? path.size() : lastStop;
    return PathParts{std::string(path.substr(0, driveEnd)),
                     std::string(path.substr(driveEnd, folderEnd - driveEnd)),
                     std::string(path.substr(folderEnd, nameEnd - folderEnd)),
                     std::string(path.substr(nameEnd))};
}

}  // namespace rt
