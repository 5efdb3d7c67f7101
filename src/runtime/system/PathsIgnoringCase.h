#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

// Two names, or paths, that Windows takes for the same: equal letter case
// aside, by the same mapping as the set below.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

// A set of paths told apart as Windows tells names apart: letter case aside,
// by the system's own upper-case mapping, so "C:\X\A" and "c:\x\a" are one
// folder here as on the disk. Paths are compared as the system is handed
// them: lent characters as the characters they stand for.
//
// Kept as a tree of names, each path's folders shared with the paths beside
// it: a copy's tens of thousands of folders below one destination cost a few
// tens of bytes each, not a whole path each.
class PathsIgnoringCase {
public:
    PathsIgnoringCase();
    void Clear();
    void Add(std::string_view path);
    bool Holds(std::string_view path) const;

private:
    // One name below its parent's path: the path up to here.
    struct Node {
        std::uint32_t parent;
        std::uint32_t nameStart;  // in names_
        std::uint16_t nameLength;  // a name is at most 255 characters, a key at most 32767
        bool added;               // the path itself was added, not only one below it
    };

    // The node of `name` below `parent`, or 0 (no node is the root's child
    // as 0 is the root itself).
    std::uint32_t Find(std::uint32_t parent, std::wstring_view name) const;
    std::uint32_t FindOrAdd(std::uint32_t parent, std::wstring_view name);
    std::size_t SlotOf(std::uint32_t parent, std::wstring_view name) const;
    std::wstring_view NameOf(const Node& node) const;
    void Grow();

    std::vector<Node> nodes_;
    std::wstring names_;
    // Open addressing: a node's index, or 0 for a free slot; never more than
    // half full.
    std::vector<std::uint32_t> slots_;
};

}  // namespace rt
