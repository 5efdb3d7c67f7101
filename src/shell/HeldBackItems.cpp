#include "shell/HeldBackItems.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <numeric>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/ErrorNumbers.h"
#include "runtime/RuntimeError.h"

namespace shell {

namespace {

// A list's kept texts one after another in one buffer, each with its
// terminating null, so that 32,000 of them cost their characters and an
// offset each, and go back to the system in one piece once in the list.
struct Texts {
    std::wstring characters;
    std::vector<std::uint32_t> starts;

    std::size_t size() const { return starts.size(); }
    const wchar_t* operator[](std::size_t i) const { return characters.c_str() + starts[i]; }
};

std::map<HWND, Texts>& Kept() {
    static std::map<HWND, Texts> kept;
    return kept;
}

std::uint64_t puts = 0;

void Insert(HWND list, const wchar_t* text, UINT message) {
    const WPARAM atTheEnd = static_cast<WPARAM>(-1);
    const LRESULT result = SendMessageW(list, message, message == LB_INSERTSTRING ? atTheEnd : 0,
                                        reinterpret_cast<LPARAM>(text));
    if (result == LB_ERRSPACE) rt::Raise(rt::err::kListFull);
    if (result == LB_ERR) rt::Raise(rt::err::kListFailed);
}

// The texts in the list's order: by their sort keys in the list's locale,
// texts with equal keys in the order they came. Empty when a key cannot be
// made.
std::vector<std::uint32_t> SortedOrder(HWND list, const Texts& texts) {
    const LCID locale = static_cast<LCID>(SendMessageW(list, LB_GETLOCALE, 0, 0));
    constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
    std::string keys;
    std::vector<std::uint32_t> keyEnds(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const wchar_t* text = texts[i];
        const int bytes = LCMapStringW(locale, kFlags, text, -1, nullptr, 0);
        if (bytes <= 0) return {};
        const std::size_t start = keys.size();
        keys.resize(start + static_cast<std::size_t>(bytes));
        if (LCMapStringW(locale, kFlags, text, -1, reinterpret_cast<LPWSTR>(keys.data() + start), bytes) !=
            bytes) {
            return {};
        }
        keyEnds[i] = static_cast<std::uint32_t>(keys.size());
    }
    const auto key = [&](std::uint32_t i) {
        const std::size_t start = i == 0 ? 0 : keyEnds[i - 1];
        return std::string_view(keys).substr(start, keyEnds[i] - start);
    };
    std::vector<std::uint32_t> order(texts.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return key(a) < key(b); });
    return order;
}

void Put(HWND list, const Texts& texts) {
    const std::vector<std::uint32_t> order = SortedOrder(list, texts);
    if (order.empty()) {
        // The list places each one itself.
        for (std::size_t i = 0; i < texts.size(); ++i) Insert(list, texts[i], LB_ADDSTRING);
        return;
    }
    for (const std::uint32_t i : order) Insert(list, texts[i], LB_INSERTSTRING);
}

}  // namespace

void HoldBackItem(HWND list, std::wstring_view text) {
    Texts& texts = Kept()[list];
    texts.starts.push_back(static_cast<std::uint32_t>(texts.characters.size()));
    texts.characters += text;
    texts.characters += L'\0';
}

bool HoldsItems(HWND list) { return Kept().contains(list); }

bool PutHeldBackItems(HWND list) {
    const auto found = Kept().find(list);
    if (found == Kept().end()) return false;
    const Texts texts = std::move(found->second);
    Kept().erase(found);
    ++puts;
    if (IsWindow(list)) Put(list, texts);
    return true;
}

std::uint64_t PutsSoFar() { return puts; }

void DropHeldBackItems(HWND list) { Kept().erase(list); }

void PutAllHeldBackItems() {
    while (!Kept().empty()) PutHeldBackItems(Kept().begin()->first);
}

void ForgetHeldBackItems() { Kept().clear(); }

}  // namespace shell
