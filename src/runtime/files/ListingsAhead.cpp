#include "runtime/files/ListingsAhead.h"

#include <algorithm>
#include <new>
#include <system_error>

namespace rt {

namespace {

// Every entry of the folder, unless the reader has given the listing up
// first. A folder that cannot be read has no entries, as when the reader
// lists it itself.
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

}  // namespace

FindHandle FindFirstEntry(const std::wstring& pattern, WIN32_FIND_DATAW& entry) {
    return FindHandle(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
                                       FIND_FIRST_EX_LARGE_FETCH));
}

ListingsAhead::ListingsAhead(int threads, std::size_t depth) : depth_(depth) {
    // With fewer workers than asked for, or none, the reader lists more
    // folders itself; nothing else changes.
    try {
        for (int i = 0; i < threads; ++i) workers_.emplace_back([this] { Work(); });
    } catch (const std::system_error&) {
    }
}

ListingsAhead::~ListingsAhead() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        for (const std::shared_ptr<Job>& job : jobs_) job->abandoned = true;
    }
    asked_.notify_all();
    for (std::thread& worker : workers_) worker.join();
}

bool ListingsAhead::HasRoom() {
    const std::lock_guard lock(mutex_);
    return jobs_.size() < depth_;
}

void ListingsAhead::Ask(std::wstring pattern) {
    auto job = std::make_shared<Job>();
    job->pattern = std::move(pattern);
    {
        const std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    asked_.notify_one();
}

std::optional<FolderListing> ListingsAhead::Take(const std::wstring& pattern) {
    std::unique_lock lock(mutex_);
    const auto found = std::find_if(jobs_.begin(), jobs_.end(),
                                    [&](const std::shared_ptr<Job>& job) { return job->pattern == pattern; });
    if (found == jobs_.end()) return std::nullopt;
    const std::shared_ptr<Job> job = *found;
    for (auto passed = jobs_.begin(); passed != found; ++passed) (*passed)->abandoned = true;
    jobs_.erase(jobs_.begin(), found + 1);
    if (job->state == State::kWaiting) return std::nullopt;
    listed_.wait(lock, [&] { return job->state != State::kListing; });
    if (job->state == State::kUnlisted) return std::nullopt;
    return std::move(job->listing);
}

// The first listing asked for that no worker has begun.
std::shared_ptr<ListingsAhead::Job> ListingsAhead::NextWaiting() const {
    const auto waiting = std::find_if(jobs_.begin(), jobs_.end(), [](const std::shared_ptr<Job>& job) {
        return job->state == State::kWaiting;
    });
    return waiting == jobs_.end() ? nullptr : *waiting;
}

void ListingsAhead::Work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        asked_.wait(lock, [&] { return stopping_ || NextWaiting() != nullptr; });
        if (stopping_) return;
        const std::shared_ptr<Job> job = NextWaiting();
        job->state = State::kListing;
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
        listed_.notify_all();
    }
}

}  // namespace rt
