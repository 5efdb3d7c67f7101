#include "runtime/files/ReadAhead.h"

#include <windows.h>

#include <algorithm>
#include <memory>

#include "runtime/lang/Numbers.h"
#include "runtime/lang/RuntimeError.h"
#include "runtime/system/Cp932.h"
#include "runtime/system/SystemPath.h"

namespace rt {

namespace {

struct AheadState {
    int threads = DefaultListingThreads();
    std::unique_ptr<ListingsAhead> listings;
    // Entries below this index have been asked for or passed over.
    std::int32_t askedEnd = 0;
    long long taken = 0;
};

// Kept for the process, as the searches that take its listings are; each walk
// ends what it started (WalkListingAhead).
AheadState& State() {
    static AheadState state;
    return state;
}

}  // namespace

int DefaultListingThreads() {
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    return std::clamp(static_cast<int>(system.dwNumberOfProcessors), 1, kMostListingThreads);
}

void ListAhead(const Array<std::string>& names, long double first, long double end, std::string_view base,
               std::string_view tail) {
    AheadState& state = State();
    if (state.threads == 0) return;
    if (!state.listings) state.listings = std::make_unique<ListingsAhead>(state.threads, kListingsAhead);
    const std::int32_t last = IntArg(end);
    state.askedEnd = std::max(state.askedEnd, IntArg(first));
    // The names are converted here, on the program's thread, as the search
    // converts its pattern: a name's lent characters are the run's.
    for (; state.askedEnd < last && state.listings->HasRoom(); ++state.askedEnd) {
        const std::string pattern = std::string(base) + names[state.askedEnd] + std::string(tail);
        if (PathTooLong(pattern)) continue;
        // A pattern the system would not take fails again where the walk
        // opens its search, with that statement's line in the report.
        std::wstring wide;
        try {
            wide = SearchPattern(pattern);
        } catch (const RuntimeError&) {
            continue;
        }
        if (!wide.empty()) state.listings->Ask(std::move(wide));
    }
}

std::optional<FolderListing> TakeListingAhead(const std::wstring& pattern) {
    AheadState& state = State();
    if (!state.listings) return std::nullopt;
    std::optional<FolderListing> listing = state.listings->Take(pattern);
    if (listing) ++state.taken;
    return listing;
}

void StopListingAhead() {
    AheadState& state = State();
    state.listings.reset();
    state.askedEnd = 0;
}

void SetListingThreads(int threads) { State().threads = threads; }

long long ListingsTakenAhead() { return State().taken; }

}  // namespace rt
