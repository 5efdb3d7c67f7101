#pragma once

#include <algorithm>
#include <string>

#include "runtime/system/Cp932.h"

namespace test {

// A path that goes on below `base` (a full path, drive or server first) in
// names of at most 200 letters until its long form ("\\?\" before a drive,
// "\\?\UNC\" in place of the "\\" of a server) is exactly `units` UTF-16
// units long.
inline std::string PathOfUnits(const std::string& base, std::size_t units) {
    const std::size_t prefix = base.starts_with("\\\\") ? 6 : 4;
    std::string path = base;
    std::size_t size = rt::ToWide(base).size() + prefix;
    while (units - size > 201) {
        path += "\\" + std::string(200, 'a');
        size += 201;
    }
    const std::size_t rest = units - size;
    if (rest == 1) return path + "b";
    return path + "\\" + std::string(rest - 1, 'b');
}

// `count` times the name, joined by "\".
inline std::string Repeated(const std::string& name, int count) {
    std::string path = name;
    for (int i = 1; i < count; ++i) path += "\\" + name;
    return path;
}

}  // namespace test
