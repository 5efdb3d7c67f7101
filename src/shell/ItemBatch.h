#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

// Items for a sorted list, put in together in the list's own order. A sorted
// list places each new item by comparing it with a dozen others and moving
// every item after it; put together in order, 32,000 items cost a tenth of
// that. The order is the list's own: the sort keys of its locale, ignoring
// letter case, which order texts as its comparison does; texts that compare
// equal keep the order they were given in.
//
// The texts stand one after another in one buffer, each with its terminating
// null, in the program's bytes, so that 32,000 of them cost their bytes and an
// offset each: they are held while the list makes its own copies, when the
// program's memory is at its highest. Each is turned into the system's form
// when it is wanted, as the list would have had it at once.
class ItemBatch {
public:
    void Add(std::string_view text);
    bool Empty() const { return starts_.empty(); }
    void Clear();

    // Puts every item into the list in its sorted place. A list that refuses
    // one raises 4 when full, 1016 otherwise, and the rest are dropped.
    void PutInto(HWND list) const;

private:
    std::size_t Size() const { return starts_.size(); }
    std::wstring Text(std::size_t i) const;
    std::vector<std::uint32_t> SortedOrder(HWND list) const;

    std::string bytes_;
    std::vector<std::uint32_t> starts_;
};

}  // namespace shell
