#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>

#include "runtime/files/FolderListing.h"
#include "runtime/lang/Array.h"
#include "runtime/run/Pool.h"

// The walk's folders listed ahead of it: while the walk lists one folder, the
// run's pool lists the folders it will come to next, and the directory search
// takes each listing when the walk gets there. What the walk reads is the
// same either way; only the waiting for the system is shared out.
namespace rt {

class ReadAhead {
public:
    // Listings asked for ahead and not taken yet, at most.
    static constexpr std::size_t kDepth = 64;

    // Lists on `pool`, which outlives it.
    explicit ReadAhead(Pool& pool) : pool_(pool) {}
    // What is still asked for is dropped.
    ~ReadAhead() { Stop(); }
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The walk comes next to the table's entries `first` to `end` - 1, each
    // listed with the pattern `base` + name + `tail`. As many of them as
    // there is room for are asked for, those asked for already once only. A
    // pattern the walk will not list (too long, or no name the system can be
    // given) is passed over.
    void Ask(const Array<std::string>& names, long double first, long double end, std::string_view base,
             std::string_view tail);

    // Whether another listing may be asked for, and the listing of one system
    // pattern asked for, after those asked for before it. Nothing is asked
    // for while the pool has no threads for jobs ahead.
    bool HasRoom() const { return asked_.size() < kDepth; }
    void Ask(std::wstring pattern);

    // The folder's listing for a search's system pattern: the one asked for
    // ahead, moved to the front of the pool's queue if it is not begun yet
    // and waited for, or else one made now on the pool. Those asked for
    // before it are dropped, since the walk has gone past them. Waits polling,
    // as between two statements, so Ctrl+C ends the wait.
    FolderListing Listing(const std::wstring& pattern);

    // Everything asked for is dropped: not begun, never begun; under way,
    // stopped at its next entry. The pool's threads for the listings end
    // with them. The next walk starts afresh.
    void Stop();

    // For the tests, which show that the walk gains from it at all: how many
    // listings were taken from those asked for ahead.
    long long Taken() const { return taken_; }

    // A walk's listings ahead, for as long as it runs: stopped when it ends,
    // however it ends (done, the table full, Ctrl+C, a runtime error).
    class Walk {
    public:
        explicit Walk(ReadAhead& readAhead) : readAhead_(readAhead) {}
        ~Walk() { readAhead_.Stop(); }
        Walk(const Walk&) = delete;
        Walk& operator=(const Walk&) = delete;

    private:
        ReadAhead& readAhead_;
    };

private:
    // What a worker makes of one folder; shared with the job, which may
    // outlive the walk.
    struct Made {
        std::atomic<bool> abandoned = false;
        bool unlisted = false;  // out of memory on the worker
        FolderListing listing;
    };
    struct Asked {
        std::wstring pattern;
        std::shared_ptr<Made> made;
        Pool::Ticket job;
    };

    void Drop(Asked& asked);
    FolderListing ListNow(const std::wstring& pattern);

    Pool& pool_;
    std::deque<Asked> asked_;
    // Entries below this index have been asked for or passed over.
    std::int32_t askedEnd_ = 0;
    long long taken_ = 0;
};

}  // namespace rt
