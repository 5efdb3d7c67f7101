#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

namespace rt {

// A set of paths told apart as Windows tells names apart: letter case aside,
// by the system's own upper-case mapping, so "C:\X\A" and "c:\x\a" are one
// folder here as on the disk. Paths are compared as the system is handed
// them: lent characters as the characters they stand for.
// Two names, or paths, that Windows takes for the same: equal letter case
// aside, by the same mapping as the set below.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

class PathsIgnoringCase {
public:
    void Clear() { keys_.clear(); }
    void Add(std::string_view path);
    bool Holds(std::string_view path) const;

private:
    std::unordered_set<std::wstring> keys_;
};

}  // namespace rt
