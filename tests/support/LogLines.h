#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace test {

// The paths of a log's lines, in the log's order. Each line must give its
// path's length in bytes as the file holds it, and the log must end with
// its end mark.
inline std::vector<std::string> LoggedPaths(const std::string& log) {
    std::vector<std::string> paths;
    std::size_t at = 0;
    for (std::size_t end; (end = log.find("\r\n", at)) != std::string::npos; at = end + 2) {
        const std::string line = log.substr(at, end - at);
        const std::size_t close = line.find(") ");
        const std::string path = line.substr(close + 2);
        EXPECT_EQ(line.substr(0, close + 2), "(" + std::to_string(path.size()) + ") ") << line;
        paths.push_back(path);
    }
    EXPECT_EQ(log.substr(at), "\x1A");
    return paths;
}

}  // namespace test
