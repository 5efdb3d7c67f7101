#pragma once

#include <string>
#include <string_view>

namespace rt {

// A path cut into drive, folder, name and extension; the four concatenated
// give the path back.
struct PathParts {
    std::string drive;      // "C:" or "\\server\share", or empty
    std::string folder;     // from after the drive up to and including the last "\"
    std::string name;       // the last component up to its last full stop
    std::string extension;  // from that full stop on, or empty
};

// Steps by code page 932 character, so the second byte of a double-byte
// character (0x5C in ソ or 表) is never taken for a "\".
PathParts SplitPath(std::string_view path);

}  // namespace rt
