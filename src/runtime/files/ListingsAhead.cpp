#include "runtime/files/ListingsAhead.h"

#include <algorithm>
#include <new>
#include <system_error>

#include "runtime/run/Worker.h"
#include "runtime/system/Handles.h"

namespace rt {

namespace {

// A listing under way on a local disk has ended by then; one that has not
// waits on a server, and its worker is left to end by itself.
constexpr std::chrono::milliseconds kLocalListingMilliseconds{100};

// Short names are never read, and a folder's entries come in fewer trips to
// the system.
FindHandle FindFirstEntry(const std::wstring& pattern, WIN32_FIND_DATAW& entry) {
    return FindHandle(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
                                       FIND_FIRST_EX_LARGE_FETCH));
}

}  // namespace

// Why a listing ended (GetLastError()) is not kept: the search ends the same
// way at any failure and never asks why, as it did when it read the entries
// one by one, so nothing is lost.
FolderListing ListFolder(const std::wstring& pattern, const std::atomic<bool>& abandoned) {
    FolderListing listing;
    WIN32_FIND_DATAW entry;
    const FindHandle search = FindFirstEntry(pattern, entry);
    if (!search.Valid()) return listing;
    do {
        listing.push_back({entry.cFileName, entry.dwFileAttributes});
    } while (!abandoned && FindNextFileW(search.Get(), &entry));
    return listing;
}

ListingsAhead::ListingsAhead(int threads, std::size_t depth) : depth_(depth) {
    // With fewer workers than asked for, or none, the reader lists more
    // folders itself; nothing else changes.
    try {
        for (int i = 0; i < threads; ++i) workers_.emplace_back([shared = shared_] { Work(shared); });
    } catch (const std::system_error&) {
    }
}

ListingsAhead::~ListingsAhead() {
    bool listingsEnded = false;
    {
        std::unique_lock lock(shared_->mutex);
        shared_->stopping = true;
        for (const std::shared_ptr<Job>& job : shared_->jobs) job->abandoned = true;
        shared_->asked.notify_all();
        listingsEnded = shared_->listed.wait_for(lock, kLocalListingMilliseconds,
                                                 [&] { return shared_->listing == 0; });
    }
    for (std::thread& worker : workers_) {
        if (listingsEnded) {
            worker.join();
        } else {
            worker.detach();
        }
    }
}

bool ListingsAhead::HasRoom() {
    const std::lock_guard lock(shared_->mutex);
    return shared_->jobs.size() < depth_;
}

void ListingsAhead::Ask(std::wstring pattern) {
    auto job = std::make_shared<Job>();
    job->pattern = std::move(pattern);
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->jobs.push_back(std::move(job));
    }
    shared_->asked.notify_one();
}

std::optional<FolderListing> ListingsAhead::Take(const std::wstring& pattern) {
    std::shared_ptr<Job> job;
    {
        const std::lock_guard lock(shared_->mutex);
        std::deque<std::shared_ptr<Job>>& jobs = shared_->jobs;
        const auto found = std::find_if(jobs.begin(), jobs.end(),
                                        [&](const std::shared_ptr<Job>& asked) { return asked->pattern == pattern; });
        if (found == jobs.end()) return std::nullopt;
        job = *found;
        for (auto passed = jobs.begin(); passed != found; ++passed) (*passed)->abandoned = true;
        jobs.erase(jobs.begin(), found + 1);
        if (job->state == State::kWaiting) return std::nullopt;
    }
    try {
        WaitPolling([&](DWORD milliseconds) {
            std::unique_lock lock(shared_->mutex);
            return shared_->listed.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                            [&] { return job->state != State::kListing; });
        });
    } catch (...) {
        job->abandoned = true;
        throw;
    }
    const std::lock_guard lock(shared_->mutex);
    if (job->state == State::kUnlisted) return std::nullopt;
    return std::move(job->listing);
}

// The first listing asked for that no worker has begun.
std::shared_ptr<ListingsAhead::Job> ListingsAhead::Shared::NextWaiting() const {
    const auto waiting = std::find_if(jobs.begin(), jobs.end(), [](const std::shared_ptr<Job>& job) {
        return job->state == State::kWaiting;
    });
    return waiting == jobs.end() ? nullptr : *waiting;
}

void ListingsAhead::Work(const std::shared_ptr<Shared>& shared) {
    std::unique_lock lock(shared->mutex);
    for (;;) {
        shared->asked.wait(lock, [&] { return shared->stopping || shared->NextWaiting() != nullptr; });
        if (shared->stopping) return;
        const std::shared_ptr<Job> job = shared->NextWaiting();
        job->state = State::kListing;
        ++shared->listing;
        lock.unlock();
        FolderListing listing;
        State outcome = State::kReady;
        // Out of memory here, the reader lists the folder itself and meets
        // the shortage where the program can report it.
        try {
            listing = ListFolder(job->pattern, job->abandoned);
        } catch (const std::bad_alloc&) {
            outcome = State::kUnlisted;
        }
        lock.lock();
        job->listing = std::move(listing);
        job->state = outcome;
        --shared->listing;
        shared->listed.notify_all();
    }
}

}  // namespace rt
