#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "runtime/system/Cp932.h"
#include "support/LogLines.h"
#include "support/TempFolder.h"
#include "support/UserAtTheWindow.h"

using namespace e2e;
using Texts = std::vector<std::wstring>;

namespace {

// Made from the Linux side (tools/hostile-trees.sh): 14 levels of a
// 36-character name, 1,050 bytes in code page 932, with a branch near the top
// and one deep down whose names hold 〜 U+301C.
const std::wstring kSource = L"C:\\soratn2-hostile\\japanese";
const std::wstring kName = L"令和七年度顧客別見積書及び納品書控え一式営業部第二課担当分保管用資料原本";

Texts Sorted(Texts texts) {
    std::sort(texts.begin(), texts.end());
    return texts;
}

Texts FoldersBelow(const std::wstring& folder) { return test::FoldersBelowWide(rt::ToCp932Shown(folder)); }

// Every folder of the tree, relative to the source.
Texts TreeFolders() {
    Texts folders{kName};
    while (folders.size() < 14) folders.push_back(folders.back() + L"\\" + kName);
    const std::wstring level2 = folders[1];
    const std::wstring level12 = folders[11];
    for (const std::wstring& branch : {level2 + L"\\支店別", level2 + L"\\支店別\\大阪", level12 + L"\\4月\u301C6月",
                                       level12 + L"\\4月\u301C6月\\見積\u301C納品"}) {
        folders.push_back(branch);
    }
    return Sorted(folders);
}

// A log's paths as the system names them, each line checked to give its own
// length in bytes as the file holds it; the longest path's bytes.
Texts LogPaths(const std::string& log, std::size_t& longestPath) {
    Texts paths;
    longestPath = 0;
    for (const std::string& path : test::LoggedPaths(log)) {
        longestPath = std::max(longestPath, path.size());
        paths.push_back(rt::ToWide(path));
    }
    return Sorted(paths);
}

Texts Written(const std::wstring& base, const Texts& folders) {
    Texts paths;
    for (std::wstring path : folders) {
        std::replace(path.begin(), path.end(), L'\u301C', L'?');
        paths.push_back(base + path);
    }
    return Sorted(paths);
}

}  // namespace

// A customer's tree from a file server, 518 characters deep, through the real
// dialogs: listed whole with no notice, copied with the parent folder into a
// destination whose own path is over 100 characters, exactly, and undone to
// nothing; both logs hold the long lines with their byte counts.
TEST(LongPathsTest, A14LevelJapaneseTreeIsListedCopiedAndUndoneWhole) {
    if (GetFileAttributesW(kSource.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no trees from Linux";
    const Texts tree = TreeFolders();
    test::TempFolder start;
    test::TempFolder outer;
    const std::wstring destination = rt::ToWide(outer.Path()) + L"\\納品先\\" + kName + L"\\" + kName;
    test::MakeFolders(rt::ToCp932Shown(destination));
    ASSERT_GT(destination.size(), 100u);
    UserAtTheWindow user(rt::ToWide(start.Path()));

    user.Click(kButton5);
    user.SaveAs(kSource + L"\\DUMMY");
    ASSERT_TRUE(user.WaitUntilIdle());
    EXPECT_EQ(user.DialogNow(), nullptr) << "no notice after the scan";
    EXPECT_EQ(Sorted(user.Items()), tree);
    EXPECT_EQ(user.SelectedItems().size(), tree.size());
    EXPECT_EQ(user.Text(kText1), L" 18");

    EXPECT_EQ(user.CopyWithParentTo(destination), L"作業終了のお知らせ|フォルダーのコピーを終了しました。");
    EXPECT_EQ(user.Text(kText7), destination + L"\\");
    EXPECT_EQ(FoldersBelow(destination + L"\\japanese"), tree);
    EXPECT_EQ(FoldersBelow(destination).size(), tree.size() + 1);

    EXPECT_EQ(user.Undo(), L"作業終了のお知らせ|コピーしたフォルダーを削除しました。");
    EXPECT_TRUE(FoldersBelow(destination).empty());
    EXPECT_EQ(FoldersBelow(kSource), tree);
    PostMessageW(user.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(user.WaitForExit(), 0u);

    std::size_t longest = 0;
    Texts scanned = Written(kSource + L"\\", tree);
    scanned.push_back(kSource + L"\\");
    EXPECT_EQ(LogPaths(test::ReadBytes(start / "TEST_FOL.TXT"), longest), Sorted(scanned));
    EXPECT_GT(longest, 1000u);
    EXPECT_EQ(LogPaths(test::ReadBytes(start / "TEST_FOL2.TXT"), longest),
              Written(destination + L"\\japanese\\", tree));
    EXPECT_GT(longest, 1100u);
}
