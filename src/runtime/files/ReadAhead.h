#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "runtime/files/ListingsAhead.h"
#include "runtime/lang/Array.h"

// The walk's folders listed ahead of it: while the walk lists one folder,
// worker threads list the folders it will come to next, and the directory
// search takes each listing from them when the walk gets there. What the
// walk reads is the same either way; only the waiting for the system is
// shared out.
namespace rt {

// Threads and listings ahead of the walk. A listing on a local disk keeps a
// processor busy, so workers beyond the processors only take turns; those
// up to 4 still gain where listings wait on a file server.
inline constexpr int kMostListingThreads = 4;
inline constexpr std::size_t kListingsAhead = 64;

// The workers a walk has: kMostListingThreads, or fewer on fewer processors.
int DefaultListingThreads();

// The walk comes next to the table's entries `first` to `end` - 1, each
// listed with the pattern `base` + name + `tail`. As many of them as there is
// room for are asked for, those asked for already once only. A pattern the
// walk will not list (too long, or no name the system can be given) is
// passed over.
void ListAhead(const Array<std::string>& names, long double first, long double end, std::string_view base,
               std::string_view tail);

// The listing of a search's system pattern if it was made ahead; nothing
// when the search lists the folder itself.
std::optional<FolderListing> TakeListingAhead(const std::wstring& pattern);

// Every worker stopped and every handle it held closed; the next walk
// starts afresh. Done when a walk ends and at the start and end of a run.
void StopListingAhead();

// A walk's listings ahead, for as long as it runs: stopped when it ends,
// however it ends (done, the table full, Ctrl+C, a runtime error).
class WalkListingAhead {
public:
    WalkListingAhead() = default;
    ~WalkListingAhead() { StopListingAhead(); }
    WalkListingAhead(const WalkListingAhead&) = delete;
    WalkListingAhead& operator=(const WalkListingAhead&) = delete;
};

// For the tests and the benchmarks, which compare walks with and without:
// 0 lists every folder on the program's thread. Takes effect at the next walk.
void SetListingThreads(int threads);

// For the tests, which show that the walk gains from the workers at all: how
// many listings the searches took from them since the process started.
long long ListingsTakenAhead();

}  // namespace rt
