#include "shell/ItemBatch.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "runtime/lang/ErrorNumbers.h"
#include "runtime/lang/RuntimeError.h"
#include "runtime/system/Cp932.h"

namespace shell {

namespace {

void Insert(HWND list, const wchar_t* text, UINT message) {
    const WPARAM atTheEnd = static_cast<WPARAM>(-1);
    const LRESULT result = SendMessageW(list, message, message == LB_INSERTSTRING ? atTheEnd : 0,
                                        reinterpret_cast<LPARAM>(text));
    if (result == LB_ERRSPACE) rt::Raise(rt::err::kListFull);
    if (result == LB_ERR) rt::Raise(rt::err::kListFailed);
}

}  // namespace

void ItemBatch::Add(std::string_view text) {
    starts_.push_back(static_cast<std::uint32_t>(bytes_.size()));
    bytes_ += text;
    bytes_ += '\0';
}

void ItemBatch::Clear() {
    bytes_.clear();
    starts_.clear();
}

std::wstring ItemBatch::Text(std::size_t i) const { return rt::ToWide(bytes_.c_str() + starts_[i]); }

// By the texts' sort keys in the list's locale, texts with equal keys in the
// order they came. Empty when a key cannot be made.
//
// The keys are measured first and made into one buffer of their exact size:
// grown key by key, the buffer would at its peak hold half as much again
// unused, and twice over while it moves.
std::vector<std::uint32_t> ItemBatch::SortedOrder(HWND list) const {
    const LCID locale = static_cast<LCID>(SendMessageW(list, LB_GETLOCALE, 0, 0));
    constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
    std::vector<std::uint32_t> keyEnds(Size());
    std::size_t total = 0;
    for (std::size_t i = 0; i < Size(); ++i) {
        const int bytes = LCMapStringW(locale, kFlags, Text(i).c_str(), -1, nullptr, 0);
        if (bytes <= 0) return {};
        total += static_cast<std::size_t>(bytes);
        if (total > UINT32_MAX) return {};
        keyEnds[i] = static_cast<std::uint32_t>(total);
    }
    std::string keys(total, '\0');
    for (std::size_t i = 0; i < Size(); ++i) {
        const std::size_t start = i == 0 ? 0 : keyEnds[i - 1];
        const int bytes = static_cast<int>(keyEnds[i] - start);
        if (LCMapStringW(locale, kFlags, Text(i).c_str(), -1, reinterpret_cast<LPWSTR>(keys.data() + start), bytes) !=
            bytes) {
            return {};
        }
    }
    const auto key = [&](std::uint32_t i) {
        const std::size_t start = i == 0 ? 0 : keyEnds[i - 1];
        return std::string_view(keys).substr(start, keyEnds[i] - start);
    };
    std::vector<std::uint32_t> order(Size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return key(a) < key(b); });
    return order;
}

void ItemBatch::PutInto(HWND list) const {
    // Appended in order, the items are sorted only in a list that was empty;
    // one that another program gave an item meanwhile places each itself.
    const bool empty = SendMessageW(list, LB_GETCOUNT, 0, 0) == 0;
    const std::vector<std::uint32_t> order = empty ? SortedOrder(list) : std::vector<std::uint32_t>{};
    if (order.empty()) {
        // The list places each one itself.
        for (std::size_t i = 0; i < Size(); ++i) Insert(list, Text(i).c_str(), LB_ADDSTRING);
        return;
    }
    // LB_INSERTSTRING appends without sorting.
    for (const std::uint32_t i : order) Insert(list, Text(i).c_str(), LB_INSERTSTRING);
}

}  // namespace shell
