#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace test {

// A fresh folder below the system's temporary folder, removed with all its
// contents at the end of the test. Paths are code page 932 bytes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, without a trailing "\".
    const std::string& Path() const { return path_; }

    // Path() + "\" + relative.
    std::string operator/(std::string_view relative) const;

private:
    std::string path_;
};

// Direct file access for checking what the program wrote, through the wide
// system calls.
void MakeFolders(std::string_view path);
void WriteBytes(std::string_view path, std::string_view bytes);
std::string ReadBytes(std::string_view path);
bool Exists(std::string_view path);
void RemoveTree(std::string_view path);

// Every folder below `path`, relative to it, sorted. For trees without links.
std::vector<std::string> FoldersBelow(std::string_view path);
// The same as the system names them, for names without a code page 932 form.
std::vector<std::wstring> FoldersBelowWide(std::string_view path);

}  // namespace test
