#include "runtime/files/DirectorySearch.h"

#include <windows.h>

#include <optional>

#include "runtime/files/Run.h"
#include "runtime/lang/ErrorNumbers.h"
#include "runtime/lang/RuntimeError.h"
#include "runtime/run/OffThread.h"
#include "runtime/system/Cp932.h"
#include "runtime/system/SystemPath.h"

namespace rt {

namespace {


const ListedEntry& Current(const Search& search) { return (*search.listed)[search.nextListed - 1]; }

// Moves to the next entry; false at the end.
bool Advance(Search& search) {
    if (search.nextListed == search.listed->size()) return false;
    ++search.nextListed;
    return true;
}

SearchTable& Searches() { return TheRun().searches; }

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

// Whether the entry opens under the name the listing gave. Taken on trust for
// names of code page 932 characters, which the program has always used; asked
// of a name with lent characters, the kind a file server or another system
// may hand out in a form that names nothing.
bool OpensUnderItsName(const Search& search) {
    const std::size_t folderEnd = search.pattern.find_last_of(L"\\/:");
    const std::wstring folder = folderEnd == std::wstring::npos ? L"" : search.pattern.substr(0, folderEnd + 1);
    const std::wstring path = LongFormWhereNeeded(folder + Current(search).name);
    if (OffThread([path] { return GetFileAttributesW(path.c_str()); }) != INVALID_FILE_ATTRIBUTES) return true;
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND && error != ERROR_INVALID_NAME;
}

// The entry's name in program form. One that does not open as given reads
// with "?" for its lent characters: no Windows name holds "?", so it can name
// no folder.
std::string EntryName(const Search& search) {
    std::string name = ToCp932Shown(Current(search).name);
    if (!HoldsLentCharacters(name) || OpensUnderItsName(search)) return name;
    return WrittenForm(name);
}

std::string AttributeLetters(DWORD attributes) {
    return {(attributes & FILE_ATTRIBUTE_DIRECTORY) ? 'D' : '-',
            (attributes & FILE_ATTRIBUTE_READONLY) ? 'R' : '-',
            (attributes & FILE_ATTRIBUTE_ARCHIVE) ? 'A' : '-'};
}

}  // namespace

void SearchOpen(std::string_view pattern, long double searchNumber) {
    if (PathTooLong(pattern)) Raise(err::kBadArgument);
    std::optional<Search>& search = Searches()[SearchNumber(searchNumber)];
    if (search) Raise(err::kNumberInUse);
    // A pattern that cannot be given to the system matches nothing; a long
    // one goes in its long form, which Windows needs from 248 characters on.
    std::wstring wide = SearchPattern(pattern);
    search.emplace();
    search->pattern = std::move(wide);
}

void SearchNext(long double searchNumber) {
    Search& search = OpenSearch(searchNumber);
    if (search.atEnd) Raise(err::kSearchPastEnd);
    if (!search.started) {
        search.listed = TheRun().readAhead.Listing(search.pattern);
        search.started = true;
    }
    search.atEnd = !Advance(search);
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
    if (fieldNumber == kFieldName) return EntryName(search);
    if (fieldNumber == kFieldAttributes) return AttributeLetters(Current(search).attributes);
    Raise(err::kBadArgument);
}

void SearchClose(long double searchNumber) { Searches()[SearchNumber(searchNumber)].reset(); }

}  // namespace rt
