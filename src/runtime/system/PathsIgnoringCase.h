#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

namespace rt {

// A set of paths told apart as Windows tells names apart: letter case aside,
// by the system's own upper-case mapping, so "C:\X\A" and "c:\x\a" are one
// folder here as on the disk. Paths are compared as the system is handed
// them: lent characters as the characters they stand for.
class PathsIgnoringCase {
public:
    void Clear() { keys_.clear(); }
    void Add(std::string_view path);
    bool Holds(std::string_view path) const;

private:
    std::unordered_set<std::wstring> keys_;
};

}  // namespace rt
