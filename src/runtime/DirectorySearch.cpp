#include "runtime/DirectorySearch.h"

#include <windows.h>

#include <array>
#include <optional>

#include "runtime/Cp932.h"
#include "runtime/ErrorNumbers.h"
#include "runtime/Handles.h"
#include "runtime/RuntimeError.h"
#include "runtime/SystemPath.h"

namespace rt {

namespace {

constexpr int kSearchCount = 16;

struct Search {
    std::wstring pattern;
    FindHandle handle;
    bool started = false;
    bool atEnd = false;
    WIN32_FIND_DATAW entry{};
};

std::array<std::optional<Search>, kSearchCount + 1>& Searches() {
    static std::array<std::optional<Search>, kSearchCount + 1> searches;
    return searches;
}

int SearchNumber(long double number) {
    const std::int32_t n = IntArg(number);
    if (n < 1 || n > kSearchCount) Raise(err::kBadFileNumber);
    return n;
}

Search& OpenSearch(long double number) {
    std::optional<Search>& search = Searches()[SearchNumber(number)];
    if (!search) Raise(err::kNotOpen);
    return *search;
}

std::string AttributeLetters(DWORD attributes) {
    return {(attributes & FILE_ATTRIBUTE_DIRECTORY) ? 'D' : '-',
            (attributes & FILE_ATTRIBUTE_READONLY) ? 'R' : '-',
            (attributes & FILE_ATTRIBUTE_ARCHIVE) ? 'A' : '-'};
}

}  // namespace

void SearchOpen(std::string_view pattern, long double searchNumber) {
    if (pattern.size() > kMaxPathBytes) Raise(err::kBadArgument);
    std::optional<Search>& search = Searches()[SearchNumber(searchNumber)];
    if (search) Raise(err::kNumberInUse);
    std::wstring wide;
    // A pattern that cannot be given to the system matches nothing.
    ToWidePath(pattern, wide);
    search.emplace();
    search->pattern = std::move(wide);
}

void SearchNext(long double searchNumber) {
    Search& search = OpenSearch(searchNumber);
    if (search.atEnd) Raise(err::kSearchPastEnd);
    if (!search.started) {
        search.started = true;
        // Short names are never read, and a folder's entries come in fewer
        // trips to the system.
        search.handle.Reset(FindFirstFileExW(search.pattern.c_str(), FindExInfoBasic, &search.entry,
                                             FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
        search.atEnd = !search.handle.Valid();
    } else {
        search.atEnd = !FindNextFileW(search.handle.Get(), &search.entry);
    }
}

Int16 SearchAtEnd(long double searchNumber) {
    const Search& search = OpenSearch(searchNumber);
    if (!search.started) Raise(err::kBadArgument);
    return Truth(search.atEnd);
}

std::string SearchField(long double searchNumber, long double field) {
    const std::int32_t fieldNumber = IntArg(field);
    if (fieldNumber > kFieldAttributes) Raise(err::kBadArgument);
    const Search& search = OpenSearch(searchNumber);
    // Only the name and the attribute letters are kept of an entry; there is
    // no entry before the first SearchNext or after the end.
    if (!search.started || search.atEnd) Raise(err::kBadArgument);
    if (fieldNumber == kFieldName) return ToCp932Shown(search.entry.cFileName);
    if (fieldNumber == kFieldAttributes) return AttributeLetters(search.entry.dwFileAttributes);
    Raise(err::kBadArgument);
}

void SearchClose(long double searchNumber) { Searches()[SearchNumber(searchNumber)].reset(); }

void CloseAllSearches() {
    for (std::optional<Search>& search : Searches()) search.reset();
}

}  // namespace rt
