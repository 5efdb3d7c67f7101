#pragma once

#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "runtime/system/Handles.h"

// Folder listings made by worker threads ahead of the one thread that reads
// them, in the order it will come to them: while it reads one folder, the
// next ones are being read side by side. Works on the system's names only;
// what they are in the program is decided where the program reads them.
namespace rt {

struct ListedEntry {
    std::wstring name;
    DWORD attributes = 0;
};

using FolderListing = std::vector<ListedEntry>;

// The first entry of a listing; both the walk and the workers list this way.
// Short names are never read, and a folder's entries come in fewer trips to
// the system.
FindHandle FindFirstEntry(const std::wstring& pattern, WIN32_FIND_DATAW& entry);

class ListingsAhead {
public:
    // `threads` workers; at most `depth` listings asked for and not taken.
    ListingsAhead(int threads, std::size_t depth);
    // Every worker stops and is waited for: no thread and no find handle
    // outlives the object.
    ~ListingsAhead();
    ListingsAhead(const ListingsAhead&) = delete;
    ListingsAhead& operator=(const ListingsAhead&) = delete;

    // Whether another listing may be asked for.
    bool HasRoom();

    // The listing of `pattern` (the system's pattern of a folder's entries),
    // after those asked for before it.
    void Ask(std::wstring pattern);

    // The listing of `pattern` as a worker made it, waited for when one is
    // making it. Nothing when no worker has begun it, or none was asked for:
    // the reader lists that folder itself, now. The listings asked for
    // before it are dropped, since the reader has gone past them.
    std::optional<FolderListing> Take(const std::wstring& pattern);

private:
    enum class State { kWaiting, kListing, kReady, kUnlisted };
    struct Job {
        std::wstring pattern;
        State state = State::kWaiting;
        std::atomic<bool> abandoned = false;
        FolderListing listing;
    };

    void Work();
    std::shared_ptr<Job> NextWaiting() const;

    const std::size_t depth_;
    std::mutex mutex_;
    std::condition_variable asked_;
    std::condition_variable listed_;
    std::deque<std::shared_ptr<Job>> jobs_;
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

}  // namespace rt
