#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "runtime/system/Cp932.h"
#include "support/TempFolder.h"
#include "support/UserAtTheWindow.h"

using namespace e2e;
using Texts = std::vector<std::wstring>;

namespace {

// Made from the Linux side (tools/hostile-trees.sh): a source and a
// destination whose names hold 〜 U+301C, which code page 932 cannot write.
const std::wstring kExact = L"C:\\soratn2-hostile\\exact";
const std::wstring kSource = kExact + L"\\営業\u301C企画";
const std::wstring kDestination = kExact + L"\\納品\u301C控え";

Texts Sorted(Texts texts) {
    std::sort(texts.begin(), texts.end());
    return texts;
}

Texts FoldersBelow(const std::wstring& folder) { return test::FoldersBelowWide(rt::ToCp932Shown(folder)); }

}  // namespace

// Names from Mac and web input that look like Japanese punctuation, and
// others from abroad, through the real dialogs: listed, copied with the
// parent folder and undone under the very names.
TEST(ExactNamesTest, FoldersWhoseNamesHaveNoCodePage932FormAreCopiedAndUndoneExactly) {
    if (GetFileAttributesW(kSource.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no trees from Linux";
    const Texts kept = Sorted({L"4月\u301C6月", L"4月\u301C6月\\A\u2212B", L"caf\u00E9", L"caf\u00E9\\na\u00EFve",
                               L"\U0001F600", L"\uD55C\uAE00", L"\uD55C\uAE00\\\U00020BB7野家", L"価格\u00A5100",
                               L"見積\u2014改\u2016", L"\u00A2\u00A3\u00AC", L"ok", L"ok\\ソ表", L"ｶﾅ\uFF5E全角"});
    const Texts before = FoldersBelow(kExact);
    test::TempFolder start;
    UserAtTheWindow user(rt::ToWide(start.Path()));

    user.Click(kButton5);
    user.SaveAs(kSource + L"\\DUMMY");
    const std::wstring notice = user.ReadAndCloseMessage();
    const std::wstring head = L"抽出に関するお知らせ|扱えない名前のフォルダーが 3 個あったので、その中も含めて除外しました\r\n";
    EXPECT_EQ(notice.substr(0, head.size()), head);
    EXPECT_EQ(Sorted(user.Items()), kept);
    EXPECT_EQ(user.SelectedItems().size(), kept.size());
    EXPECT_EQ(user.Text(kText6), kSource);
    EXPECT_EQ(user.Text(kEdit1), L"営業\u301C企画");

    EXPECT_EQ(user.CopyWithParentTo(kDestination), L"作業終了のお知らせ|フォルダーのコピーを終了しました。");
    EXPECT_EQ(user.Text(kText7), kDestination + L"\\");
    Texts made{L"営業\u301C企画"};
    for (const std::wstring& name : kept) made.push_back(L"営業\u301C企画\\" + name);
    EXPECT_EQ(FoldersBelow(kDestination), Sorted(made));

    EXPECT_EQ(user.Undo(), L"作業終了のお知らせ|コピーしたフォルダーを削除しました。");
    EXPECT_TRUE(FoldersBelow(kDestination).empty());
    EXPECT_EQ(FoldersBelow(kExact), before);
    PostMessageW(user.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(user.WaitForExit(), 0u);
}
