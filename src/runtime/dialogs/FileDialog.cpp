#include "runtime/dialogs/FileDialog.h"

#include <commdlg.h>

#include <cstdint>
#include <optional>

#include "runtime/dialogs/ModalUi.h"
#include "runtime/lang/ErrorNumbers.h"
#include "runtime/lang/Numbers.h"
#include "runtime/lang/RuntimeError.h"
#include "runtime/lang/SplitPath.h"
#include "runtime/system/Cp932.h"
#include "runtime/system/SystemPath.h"

namespace rt {

namespace {

constexpr std::size_t kNone = std::wstring_view::npos;
constexpr std::size_t kMaxTitleBytes = 64;
constexpr std::size_t kMaxDefaultNameBytes = 260;
// Every entry appears at most twice in the filter list (description and
// patterns), so this also keeps the list within 1024 bytes.
constexpr std::size_t kMaxFilterTextBytes = 511;
// Room for the longest path the system holds: the dialog keeps whatever
// limit of its own it has, and the program sets none below it.
constexpr DWORD kMaxPathChars = kMaxPathUnits;
constexpr std::string_view kAllFiles = "すべてのﾌｧｲﾙ(*.*)";
constexpr DWORD kAlwaysFlags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;

void CheckLength(std::string_view text, std::size_t maxBytes) {
    if (text.size() > maxBytes) Raise(err::kBadArgument);
}

bool AsksBeforeOverwriting(long double mode) {
    const std::int32_t value = IntArg(mode);
    if (value != 0 && value != 1) Raise(err::kBadArgument);
    return value == 0;
}

// Searched in UTF-16, where no half of a double-byte character looks like "\".
std::size_t NameStart(std::wstring_view path) {
    const std::size_t last = path.find_last_of(L"\\:");
    return last == kNone ? 0 : last + 1;
}

std::wstring InitialFolder(const std::wstring& defaultName) {
    // The system makes no full path of "", which stands for a name in the
    // current directory.
    const std::wstring full = AbsolutePath(defaultName.empty() ? L".\\" : defaultName);
    std::wstring folder = full.substr(0, NameStart(full));
    if (folder.ends_with(L'\\') && !folder.ends_with(L":\\")) folder.pop_back();
    return folder;
}

std::wstring Patterns(std::wstring_view text) {
    std::wstring patterns;
    for (const wchar_t c : text) {
        if (c == L' ' || c == L'\t') continue;
        patterns.push_back(c == L',' ? L';' : c);
    }
    return patterns;
}

// An entry without patterns is refused: an empty pattern would end the list
// early, so the dialog would lose the types after it.
void AppendType(std::wstring& list, std::wstring_view entry) {
    const std::size_t open = entry.find(L'(');
    const std::size_t close = entry.rfind(L')');
    if (open == kNone || close == kNone || close < open) Raise(err::kBadArgument);
    const std::wstring patterns = Patterns(entry.substr(open + 1, close - open - 1));
    if (patterns.empty()) Raise(err::kBadArgument);
    list.append(entry);
    list.push_back(L'\0');
    list.append(patterns);
    list.push_back(L'\0');
}

std::wstring FilterList(std::string_view filterText) {
    const std::wstring text = ToWide(filterText.empty() ? kAllFiles : filterText);
    const std::wstring_view entries(text);
    std::wstring list;
    std::size_t start = 0;
    for (std::size_t end = entries.find(L';'); end != kNone; end = entries.find(L';', start)) {
        AppendType(list, entries.substr(start, end - start));
        start = end + 1;
    }
    AppendType(list, entries.substr(start));
    list.push_back(L'\0');
    return list;
}

// A confirmed path always starts with a drive ("C:\") or a server ("\\").
// Wine's dialog, when a WM_QUIT ends it, reports success with the name box
// as it was ("DUMMY").
bool IsFullPath(std::wstring_view path) {
    if (path.starts_with(L"\\\\")) return true;
    return path.size() >= 3 && path[1] == L':' && path[2] == L'\\';
}

// A path that is not full or has no exact code page 932 form counts as a
// failed dialog: the nearest form (¥ becomes "\", é becomes "e") would name
// another file.
std::string ProgramPath(const std::wstring& path) {
    if (!IsFullPath(path)) return std::string(kDialogCancelled);
    std::string bytes;
    if (!ToCp932(path, bytes)) return std::string(kDialogCancelled);
    return bytes;
}

}  // namespace

std::string ShowFileDialog(HWND owner, std::string_view title, std::string_view defaultName,
                           std::string_view filterText, long double mode) {
    CheckLength(title, kMaxTitleBytes);
    CheckLength(defaultName, kMaxDefaultNameBytes);
    CheckLength(filterText, kMaxFilterTextBytes);
    const bool asksBeforeOverwriting = AsksBeforeOverwriting(mode);

    const std::wstring name = ToWide(defaultName);
    SaveDialogRequest request;
    request.owner = owner;
    request.title = ToWide(title);
    request.initialFolder = InitialFolder(name);
    request.fileName = name.substr(NameStart(name));
    request.filter = FilterList(filterText);
    request.flags = kAlwaysFlags | (asksBeforeOverwriting ? OFN_OVERWRITEPROMPT : 0);
    request.maxPath = kMaxPathChars;

    const std::optional<std::wstring> chosen = ShowSaveDialog(request);
    if (!chosen) return std::string(kDialogCancelled);
    return ProgramPath(*chosen);
}

std::string FolderOfDialogResult(std::string_view result) {
    if (result == kDialogCancelled) return {};
    const PathParts parts = SplitPath(result);
    return parts.drive + parts.folder;
}

}  // namespace rt
