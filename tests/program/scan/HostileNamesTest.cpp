#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "program/Program.h"
#include "runtime/Cp932.h"
#include "shell/ListOperations.h"
#include "support/ProgramDriver.h"
#include "support/ProgramRun.h"
#include "support/ProgramTest.h"

using namespace program;

namespace {

// Trees made from the Linux side, with names no Windows program could make
// (tools/hostile-trees.sh).
const std::string kHostile = "C:\\soratn2-hostile";

const std::wstring kNoticeTitle = L"抽出に関するお知らせ";
const std::wstring kCopyDone = L"フォルダーのコピーを終了しました。";
const std::wstring kUndoDone = L"コピーしたフォルダーを削除しました。";

class HostileNamesTest : public test::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        if (!test::Exists(kHostile)) GTEST_SKIP() << "no trees made from the Linux side";
    }
};

std::vector<std::string> Sorted(std::vector<std::string> texts) {
    std::sort(texts.begin(), texts.end());
    return texts;
}

std::vector<std::string> ItemTexts() {
    std::vector<std::string> texts;
    for (const test::Item& item : test::ListItems()) texts.push_back(item.text);
    return texts;
}

// The paths of a log's lines, sorted; each line must give its path's length.
std::vector<std::string> LogPaths(const std::string& log) {
    std::vector<std::string> paths;
    std::size_t at = 0;
    for (std::size_t end; (end = log.find("\r\n", at)) != std::string::npos; at = end + 2) {
        const std::string line = log.substr(at, end - at);
        const std::size_t close = line.find(") ");
        const std::string path = line.substr(close + 2);
        EXPECT_EQ(line.substr(0, close + 2), "(" + std::to_string(path.size()) + ") ") << line;
        paths.push_back(path);
    }
    EXPECT_EQ(log.substr(at), "\x1A");
    return Sorted(paths);
}

std::vector<std::string> Below(const std::string& folder, const std::vector<std::string>& relative) {
    std::vector<std::string> paths;
    for (const std::string& path : relative) paths.push_back(folder + "\\" + path);
    return paths;
}

std::vector<std::string> Plus(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return Sorted(a);
}

std::wstring TooDeepNotice(const std::string& firstPath) {
    return L"パスが長すぎて中を調べられないフォルダーが 1 個ありました\r\n" + rt::ToWide(firstPath);
}

}  // namespace

TEST_F(HostileNamesTest, FoldersWhoseNamesCannotBeMadeExactlyAreLeftOutWithAllTheyHold) {
    const std::string names = kHostile + "\\names";
    const std::vector<std::string> kept =
        Sorted({" lead", "COM10", "CONSOLE", "Data.old", "LPT", "a.b", "good", "good\\inner", "ソ表"});
    // Each left-out name as the notice may show it first: "?" for a character
    // without a code page 932 form.
    const std::set<std::string> leftOut = {
        "..?..?x", "abc?", "価格?100", "a\\b", "caf?", "na?ve", "?", "??", "cr\r\nlf", "tab\tname",
        "dot.", "space ", "...", "CON", "aux", "lpt1.txt", "Com9.tar.gz", "q?x", "co:lon", "st*r",
        "lt<gt>", "pi|pe", "quo\"te", "latin1-caf?"};
    test::TempFolder outer;
    const std::string destination = outer / "mid\\dest";
    test::MakeFolders(destination);
    Choose(names);
    Choose(destination);
    test::RunProgramWith({
        [] { test::Click(BUTTON5); },
        [&] {
            EXPECT_EQ(Sorted(ItemTexts()), kept);
            EXPECT_EQ(test::Highlighted().size(), kept.size());
            EXPECT_EQ(shell::ReadText(TEXT1), " 9");
            test::Click(BUTTON6);
        },
        [] { test::Click(BUTTON7); },
        [&] {
            // Nothing beside the destination: "..¥..¥x" once made outer\x.
            EXPECT_EQ(test::FoldersBelow(outer.Path()), Plus({"mid", "mid\\dest"}, Below("mid\\dest", kept)));
            test::Click(BUTTON9);
        },
        [&] { EXPECT_EQ(test::FoldersBelow(outer.Path()), (std::vector<std::string>{"mid", "mid\\dest"})); },
    });
    ASSERT_EQ(ui.messageBoxes.size(), 3u);
    EXPECT_EQ(ui.messageBoxes[0].title, kNoticeTitle);
    const std::wstring head = L"扱えない名前のフォルダーが 25 個あったので、その中も含めて除外しました\r\n" +
                              rt::ToWide(names + "\\");
    const std::wstring& notice = ui.messageBoxes[0].text;
    ASSERT_EQ(notice.substr(0, head.size()), head);
    EXPECT_EQ(leftOut.count(rt::ToCp932Shown(notice.substr(head.size()))), 1u) << rt::ToCp932Shown(notice);
    EXPECT_EQ(ui.messageBoxes[1].text, kCopyDone);
    EXPECT_EQ(ui.messageBoxes[2].text, kUndoDone);
    // No line for what was left out, and none broken by a line end in a name.
    EXPECT_EQ(LogPaths(ScanLog()), Plus({names + "\\"}, Below(names, kept)));
}

TEST_F(HostileNamesTest, TheNoticeShowsTheFirstFolderLeftOutOnceAfterItsScan) {
    const std::string one = kHostile + "\\one";
    Choose(one);
    Cancel();
    test::RunProgramWith({
        [] { test::Click(BUTTON5); },
        [] {
            EXPECT_EQ(ItemTexts(), (std::vector<std::string>{"ok"}));
            test::Click(BUTTON5);
        },
    });
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].title, kNoticeTitle);
    EXPECT_EQ(ui.messageBoxes[0].text, L"扱えない名前のフォルダーが 1 個あったので、その中も含めて除外しました\r\n" +
                                           rt::ToWide(one + "\\..?..?x"));
    EXPECT_EQ(ui.messageBoxes[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
}

TEST_F(HostileNamesTest, AFolderTooDeepToListIsKeptButNotLookedInto) {
    const std::string base = kHostile + "\\deep\\";
    // d, d\d, ... up to the first whose listing pattern passes 260 bytes.
    std::vector<std::string> entries{"d"};
    while ((base + entries.back() + "\\*.*").size() <= 260) entries.push_back(entries.back() + "\\d");
    test::TempFolder destination;
    // The user leaves out the folders that do not fit below the destination.
    std::size_t fit = 0;
    while (fit < entries.size() && (destination / entries[fit]).size() <= 260) ++fit;
    ASSERT_LT(fit, entries.size());
    Choose(base.substr(0, base.size() - 1));
    Choose(destination.Path());
    test::RunProgramWith({
        [] { test::Click(BUTTON5); },
        [&] {
            EXPECT_EQ(ItemTexts(), entries);
            test::ClickItem(entries[fit]);
        },
        [&] {
            EXPECT_EQ(test::Highlighted(), std::vector<std::string>(entries.begin(), entries.begin() + fit));
            test::Click(BUTTON6);
        },
        [] { test::Click(BUTTON7); },
        [&] {
            EXPECT_EQ(test::FoldersBelow(destination.Path()),
                      std::vector<std::string>(entries.begin(), entries.begin() + fit));
            test::Click(BUTTON9);
        },
        [&] { EXPECT_TRUE(test::FoldersBelow(destination.Path()).empty()); },
    });
    ASSERT_EQ(ui.messageBoxes.size(), 3u);
    EXPECT_EQ(ui.messageBoxes[0].title, kNoticeTitle);
    EXPECT_EQ(ui.messageBoxes[0].text, TooDeepNotice(base + entries.back()));
    EXPECT_EQ(ui.messageBoxes[1].text, kCopyDone);
    std::vector<std::string> listed{base};
    for (std::size_t i = 0; i + 1 < entries.size(); ++i) listed.push_back(base + entries[i]);
    EXPECT_EQ(LogPaths(ScanLog()), Sorted(listed));
}

TEST_F(HostileNamesTest, AName255BytesLongIsListedAndTheCopyTellsItDoesNotFit) {
    const std::string base = kHostile + "\\long\\";
    const std::string longName(255, 'n');
    test::TempFolder destination;
    Choose(base.substr(0, base.size() - 1));
    Choose(destination.Path());
    test::RunProgramWith({
        [] { test::Click(BUTTON5); },
        [&] {
            EXPECT_EQ(ItemTexts(), (std::vector<std::string>{longName, "short"}));
            test::Click(BUTTON6);
        },
        [] { test::Click(BUTTON7); },
        [&] {
            EXPECT_TRUE(test::FoldersBelow(destination.Path()).empty());
            test::ClickItem(longName);
        },
        [] { test::Click(BUTTON7); },
        [&] {
            EXPECT_EQ(test::FoldersBelow(destination.Path()), (std::vector<std::string>{"short"}));
            test::Click(BUTTON9);
        },
        [&] { EXPECT_TRUE(test::FoldersBelow(destination.Path()).empty()); },
    });
    ASSERT_EQ(ui.messageBoxes.size(), 4u);
    EXPECT_EQ(ui.messageBoxes[0].text, TooDeepNotice(base + longName));
    EXPECT_EQ(ui.messageBoxes[1].text, L"コピー先のパスが長すぎるフォルダーがあるので処理できません\r\n" +
                                           rt::ToWide(destination / longName));
    EXPECT_EQ(ui.messageBoxes[2].text, kCopyDone);
    EXPECT_EQ(ui.messageBoxes[3].text, kUndoDone);
}

TEST_F(HostileNamesTest, ALinkToItsOwnAncestorEndsWhereThePathGetsTooLong) {
    const std::string links = kHostile + "\\links";
    test::TempFolder destination;
    std::vector<std::string> selected;
    Choose(links);
    Choose(destination.Path());
    test::RunProgramWith({
        [] { test::Click(BUTTON5); },
        [&] {
            const std::vector<std::string> items = ItemTexts();
            for (const char* item : {"outside", "outside\\x", "sub", "sub\\loop", "sub\\loop\\outside\\x"}) {
                EXPECT_NE(std::find(items.begin(), items.end(), item), items.end()) << item;
            }
            // The user leaves out the folders that do not fit below the
            // destination: those whose parent still fits.
            for (const std::string& item : items) {
                const std::string parent = item.substr(0, item.rfind('\\'));
                if ((destination / item).size() > 260 && (destination / parent).size() <= 260) {
                    test::ClickItem(item);
                }
            }
        },
        [&] {
            selected = test::Highlighted();
            test::Click(BUTTON6);
        },
        [] { test::Click(BUTTON7); },
        [&] {
            EXPECT_EQ(test::FoldersBelow(destination.Path()), Sorted(selected));
            EXPECT_EQ(test::FoldersBelow(kHostile + "\\links-outside"), (std::vector<std::string>{"x"}));
            test::Click(BUTTON9);
        },
        [&] { EXPECT_TRUE(test::FoldersBelow(destination.Path()).empty()); },
    });
    ASSERT_EQ(ui.messageBoxes.size(), 3u);
    const std::wstring head = L"パスが長すぎて中を調べられないフォルダーが";
    EXPECT_EQ(ui.messageBoxes[0].text.substr(0, head.size()), head);
    EXPECT_EQ(ui.messageBoxes[1].text, kCopyDone);
    EXPECT_GT(selected.size(), 20u);
}
