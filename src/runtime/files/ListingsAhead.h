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

// Every entry of the folder of `pattern`, in the system's order, unless
// `abandoned` is set first; a folder that cannot be read has none. Made on a
// worker: the read-ahead's, or the run's for the search itself.
FolderListing ListFolder(const std::wstring& pattern, const std::atomic<bool>& abandoned);

class ListingsAhead {
public:
    // `threads` workers; at most `depth` listings asked for and not taken.
    ListingsAhead(int threads, std::size_t depth);
    // Every worker stops. Those in no listing, or in one a local disk ends
    // soon, are waited for; one whose listing waits on a server is not (the
    // user may have stopped the run for it): it ends by itself after that
    // call, holding nothing of the object's.
    ~ListingsAhead();
    ListingsAhead(const ListingsAhead&) = delete;
    ListingsAhead& operator=(const ListingsAhead&) = delete;

    // Whether another listing may be asked for.
    bool HasRoom();

    // The listing of `pattern` (the system's pattern of a folder's entries),
    // after those asked for before it.
    void Ask(std::wstring pattern);

    // The listing of `pattern` as a worker made it, waited for when one is
    // making it, polling as between two statements (runtime/run/Worker.h),
    // so Ctrl+C ends the wait. Nothing when no worker has begun it, or none
    // was asked for: the reader lists that folder itself, now. The listings
    // asked for before it are dropped, since the reader has gone past them.
    std::optional<FolderListing> Take(const std::wstring& pattern);

private:
    enum class State { kWaiting, kListing, kReady, kUnlisted };
    struct Job {
        std::wstring pattern;
        State state = State::kWaiting;
        std::atomic<bool> abandoned = false;
        FolderListing listing;
    };

    // What the workers share with the reader; each worker owns it too.
    struct Shared {
        std::mutex mutex;
        std::condition_variable asked;
        std::condition_variable listed;
        std::deque<std::shared_ptr<Job>> jobs;
        bool stopping = false;
        int listing = 0;  // workers inside a listing
        std::shared_ptr<Job> NextWaiting() const;
    };

    static void Work(const std::shared_ptr<Shared>& shared);

    const std::size_t depth_;
    const std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
    std::vector<std::thread> workers_;
};

}  // namespace rt
