#include "shell/HeldBackItems.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <numeric>
#include <vector>

#include "runtime/ErrorNumbers.h"
#include "runtime/RuntimeError.h"

namespace shell {

namespace {

std::map<HWND, std::vector<std::wstring>>& Kept() {
    static std::map<HWND, std::vector<std::wstring>> kept;
    return kept;
}

void Insert(HWND list, const std::wstring& text, UINT message) {
    const WPARAM atTheEnd = static_cast<WPARAM>(-1);
    const LRESULT result = SendMessageW(list, message, message == LB_INSERTSTRING ? atTheEnd : 0,
                                        reinterpret_cast<LPARAM>(text.c_str()));
    if (result == LB_ERRSPACE) rt::Raise(rt::err::kListFull);
    if (result == LB_ERR) rt::Raise(rt::err::kListFailed);
}

// Each text's sort key in the list's locale; empty when one cannot be made.
std::vector<std::string> SortKeys(HWND list, const std::vector<std::wstring>& texts) {
    const LCID locale = static_cast<LCID>(SendMessageW(list, LB_GETLOCALE, 0, 0));
    constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
    std::vector<std::string> keys(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const int bytes = LCMapStringW(locale, kFlags, texts[i].c_str(), -1, nullptr, 0);
        if (bytes <= 0) return {};
        keys[i].resize(static_cast<std::size_t>(bytes));
        if (LCMapStringW(locale, kFlags, texts[i].c_str(), -1, reinterpret_cast<LPWSTR>(keys[i].data()), bytes) !=
            bytes) {
            return {};
        }
    }
    return keys;
}

void Put(HWND list, const std::vector<std::wstring>& texts) {
    const std::vector<std::string> keys = SortKeys(list, texts);
    if (keys.empty()) {
        // The list places each one itself.
        for (const std::wstring& text : texts) Insert(list, text, LB_ADDSTRING);
        return;
    }
    std::vector<std::size_t> order(texts.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    for (const std::size_t i : order) Insert(list, texts[i], LB_INSERTSTRING);
}

}  // namespace

void HoldBackItem(HWND list, std::wstring text) { Kept()[list].push_back(std::move(text)); }

bool HoldsItems(HWND list) { return Kept().contains(list); }

bool PutHeldBackItems(HWND list) {
    const auto found = Kept().find(list);
    if (found == Kept().end()) return false;
    const std::vector<std::wstring> texts = std::move(found->second);
    Kept().erase(found);
    if (IsWindow(list)) Put(list, texts);
    return true;
}

void DropHeldBackItems(HWND list) { Kept().erase(list); }

void PutAllHeldBackItems() {
    while (!Kept().empty()) PutHeldBackItems(Kept().begin()->first);
}

void ForgetHeldBackItems() { Kept().clear(); }

}  // namespace shell
