#include "runtime/files/ReadAhead.h"

#include <windows.h>

#include <algorithm>
#include <new>

#include "runtime/lang/Numbers.h"
#include "runtime/lang/RuntimeError.h"
#include "runtime/system/Cp932.h"
#include "runtime/system/SystemPath.h"

namespace rt {

void ReadAhead::Ask(const Array<std::string>& names, long double first, long double end, std::string_view base,
                    std::string_view tail) {
    if (pool_.AheadThreads() == 0) return;
    const std::int32_t last = IntArg(end);
    askedEnd_ = std::max(askedEnd_, IntArg(first));
    // The names are converted here, on the program's thread, as the search
    // converts its pattern: a name's lent characters are the run's.
    for (; askedEnd_ < last && HasRoom(); ++askedEnd_) {
        const std::string pattern = std::string(base) + names[askedEnd_] + std::string(tail);
        if (PathTooLong(pattern)) continue;
        // A pattern the system would not take fails again where the walk
        // opens its search, with that statement's line in the report.
        std::wstring wide;
        try {
            wide = SearchPattern(pattern);
        } catch (const RuntimeError&) {
            continue;
        }
        if (!wide.empty()) Ask(std::move(wide));
    }
}

void ReadAhead::Ask(std::wstring pattern) {
    if (pool_.AheadThreads() == 0) return;
    auto made = std::make_shared<Made>();
    // Out of memory on the worker, the walk lists the folder itself and meets
    // the shortage where the program can report it.
    Pool::Ticket job = pool_.Submit([made, pattern] {
        try {
            made->listing = ListFolder(pattern, made->abandoned);
        } catch (const std::bad_alloc&) {
            made->unlisted = true;
        }
    });
    asked_.push_back({std::move(pattern), std::move(made), std::move(job)});
}

FolderListing ReadAhead::Listing(const std::wstring& pattern) {
    const auto found = std::find_if(asked_.begin(), asked_.end(), [&](const Asked& asked) { return asked.pattern == pattern; });
    if (found == asked_.end()) return ListNow(pattern);
    for (auto passed = asked_.begin(); passed != found; ++passed) Drop(*passed);
    const Asked taken = std::move(*found);
    asked_.erase(asked_.begin(), found + 1);
    try {
        pool_.Hurry(taken.job);
        pool_.Wait(taken.job);
    } catch (...) {
        taken.made->abandoned = true;
        throw;
    }
    if (taken.made->unlisted) return ListNow(pattern);
    ++taken_;
    return std::move(taken.made->listing);
}

// The listing made on the pool now, before anything asked for ahead. Given
// up on (Ctrl+C), it stops at the next entry.
FolderListing ReadAhead::ListNow(const std::wstring& pattern) {
    const auto abandoned = std::make_shared<std::atomic<bool>>(false);
    const auto listing = std::make_shared<FolderListing>();
    try {
        pool_.Call([pattern, abandoned, listing] { *listing = ListFolder(pattern, *abandoned); });
    } catch (...) {
        *abandoned = true;
        throw;
    }
    return std::move(*listing);
}

void ReadAhead::Drop(Asked& asked) {
    asked.made->abandoned = true;
    pool_.Drop(asked.job);
}

void ReadAhead::Stop() {
    for (Asked& asked : asked_) Drop(asked);
    asked_.clear();
    askedEnd_ = 0;
    pool_.EndAheadThreads();
}

}  // namespace rt
