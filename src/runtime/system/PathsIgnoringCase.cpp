#include "runtime/system/PathsIgnoringCase.h"

#include <windows.h>

#include "runtime/system/Cp932.h"

namespace rt {

namespace {

constexpr std::size_t kFirstSlots = 64;

// The invariant mapping, not the user's language: a Turkish "i" is upper-cased
// as the file system does it, not as Turkish text is.
std::wstring Key(std::string_view path) {
    std::wstring wide;
    if (!ToWidePath(path, wide)) wide = ToWide(path);
    if (wide.empty()) return wide;
    std::wstring upper(wide.size(), L'\0');
    const int length = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.data(), static_cast<int>(wide.size()),
                                     upper.data(), static_cast<int>(upper.size()), nullptr, nullptr, 0);
    if (length <= 0) return wide;
    upper.resize(static_cast<std::size_t>(length));
    return upper;
}

std::size_t Hash(std::uint32_t parent, std::wstring_view name) {
    std::uint64_t hash = 14695981039346656037ull ^ parent;
    for (const wchar_t c : name) hash = (hash ^ static_cast<std::uint16_t>(c)) * 1099511628211ull;
    return static_cast<std::size_t>(hash ^ (hash >> 29));
}

// Calls `step` with each name of the key between backslashes, empty ones
// included, so that two keys with the same names are the same key; stops at
// the first false.
template <class Step>
bool ForEachName(std::wstring_view key, Step step) {
    for (;;) {
        const std::size_t end = key.find(L'\\');
        if (!step(key.substr(0, end))) return false;
        if (end == std::wstring_view::npos) return true;
        key.remove_prefix(end + 1);
    }
}

}  // namespace

bool SameNameIgnoringCase(std::string_view a, std::string_view b) { return Key(a) == Key(b); }

PathsIgnoringCase::PathsIgnoringCase() { Clear(); }

void PathsIgnoringCase::Clear() {
    nodes_.assign(1, Node{0, 0, 0, false});
    names_.clear();
    slots_.assign(kFirstSlots, 0);
    nodes_.shrink_to_fit();
    names_.shrink_to_fit();
    slots_.shrink_to_fit();
}

std::wstring_view PathsIgnoringCase::NameOf(const Node& node) const {
    return std::wstring_view(names_).substr(node.nameStart, node.nameLength);
}

std::size_t PathsIgnoringCase::SlotOf(std::uint32_t parent, std::wstring_view name) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = Hash(parent, name) & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t index = slots_[slot];
        if (index == 0) return slot;
        const Node& node = nodes_[index];
        if (node.parent == parent && NameOf(node) == name) return slot;
    }
}

std::uint32_t PathsIgnoringCase::Find(std::uint32_t parent, std::wstring_view name) const {
    return slots_[SlotOf(parent, name)];
}

std::uint32_t PathsIgnoringCase::FindOrAdd(std::uint32_t parent, std::wstring_view name) {
    if (const std::uint32_t found = Find(parent, name)) return found;
    if (2 * nodes_.size() >= slots_.size()) Grow();
    const auto index = static_cast<std::uint32_t>(nodes_.size());
    nodes_.push_back(Node{parent, static_cast<std::uint32_t>(names_.size()), static_cast<std::uint16_t>(name.size()),
                          false});
    names_.append(name);
    slots_[SlotOf(parent, name)] = index;
    return index;
}

void PathsIgnoringCase::Grow() {
    slots_.assign(2 * slots_.size(), 0);
    for (std::uint32_t index = 1; index < nodes_.size(); ++index) {
        const Node& node = nodes_[index];
        slots_[SlotOf(node.parent, NameOf(node))] = index;
    }
}

void PathsIgnoringCase::Add(std::string_view path) {
    std::uint32_t node = 0;
    ForEachName(Key(path), [&](std::wstring_view name) {
        node = FindOrAdd(node, name);
        return true;
    });
    nodes_[node].added = true;
}

bool PathsIgnoringCase::Holds(std::string_view path) const {
    std::uint32_t node = 0;
    const bool found = ForEachName(Key(path), [&](std::wstring_view name) {
        node = Find(node, name);
        return node != 0;
    });
    return found && nodes_[node].added;
}

}  // namespace rt
