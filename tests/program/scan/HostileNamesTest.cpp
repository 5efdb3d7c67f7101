#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "program/Program.h"
#include "runtime/system/Cp932.h"
#include "shell/ListOperations.h"
#include "support/ChildProgram.h"
#include "support/LogLines.h"
#include "support/LongPaths.h"
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

std::vector<std::string> Sorted(std::vector<std::string> texts) {
    std::sort(texts.begin(), texts.end());
    return texts;
}

std::vector<std::string> ItemTexts() {
    std::vector<std::string> texts;
    for (const test::Item& item : test::ListItems()) texts.push_back(item.text);
    return texts;
}

class HostileNamesTest : public test::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        if (!test::Exists(kHostile)) GTEST_SKIP() << "no trees made from the Linux side";
    }

    // The user scans the folder, copies all it lists into the destination and
    // undoes the copy: every folder made, then none. The list's items.
    std::vector<std::string> CopyAllAndUndo(const std::string& folder, const test::TempFolder& destination) {
        std::vector<std::string> items;
        Choose(folder);
        Choose(destination.Path());
        test::RunProgramWith({
            [] { test::Click(BUTTON5); },
            [&] {
                items = ItemTexts();
                test::Click(BUTTON6);
            },
            [] { test::Click(BUTTON7); },
            [&] {
                EXPECT_EQ(test::FoldersBelow(destination.Path()), Sorted(items));
                test::Click(BUTTON9);
            },
            [&] { EXPECT_TRUE(test::FoldersBelow(destination.Path()).empty()); },
        });
        EXPECT_EQ(ui.messageBoxes.size(), 2u);
        EXPECT_EQ(ui.messageBoxes.front().text, kCopyDone);
        EXPECT_EQ(ui.messageBoxes.back().text, kUndoDone);
        return items;
    }
};

// The paths of a log's lines, sorted; each line must give its path's length.
std::vector<std::string> LogPaths(const std::string& log) { return Sorted(test::LoggedPaths(log)); }

std::vector<std::string> Plus(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return Sorted(a);
}

std::vector<std::wstring> operator+(std::vector<std::wstring> a, const std::vector<std::wstring>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}


}  // namespace

// Within a step of the run: program strings with lent characters mean
// something only while the run lasts.
std::vector<std::wstring> WideItemTexts() {
    std::vector<std::wstring> texts;
    for (const test::Item& item : test::ListItems()) texts.push_back(rt::ToWide(item.text));
    std::sort(texts.begin(), texts.end());
    return texts;
}

std::vector<std::wstring> WithInside(const std::vector<std::wstring>& names) {
    std::vector<std::wstring> folders;
    for (const std::wstring& name : names) {
        folders.push_back(name);
        folders.push_back(name + L"\\inside");
    }
    return folders;
}

std::vector<std::wstring> Sorted(std::vector<std::wstring> texts) {
    std::sort(texts.begin(), texts.end());
    return texts;
}

TEST_F(HostileNamesTest, FoldersWhoseNamesWindowsCannotHoldAreLeftOutWithAllTheyHold) {
    const std::string names = kHostile + "\\names";
    // Names without a code page 932 form are kept exactly; Wine gives bytes
    // that are no UTF-8 as U+FFFD, and the folder opens under that name.
    const std::vector<std::wstring> kept = Sorted(
        WithInside({L"..\u00A5..\u00A5x", L"abc\u00A5", L"\u4FA1\u683C\u00A5100", L"caf\u00E9", L"na\u00EFve",
                    L"\U0001F600", L"\U00020BB7", L"\uD55C\uAE00", L"latin1-caf\uFFFD"}) +
        std::vector<std::wstring>{L" lead", L"COM10", L"CONSOLE", L"Data.old", L"LPT", L"a.b", L"good",
                                  L"good\\inner", L"\u30BD\u8868"});
    const std::set<std::string> leftOut = {"a\\b", "cr\r\nlf", "tab\tname", "dot.", "space ", "...", "CON", "aux",
                                           "lpt1.txt", "Com9.tar.gz", "q?x", "co:lon", "st*r", "lt<gt>", "pi|pe",
                                           "quo\"te"};
    test::TempFolder outer;
    const std::string destination = outer / "mid\\dest";
    test::MakeFolders(destination);
    std::vector<std::string> logged;
    Choose(names);
    Choose(destination);
    test::RunProgramWith({
        [] { test::Click(BUTTON5); },
        [&] {
            EXPECT_EQ(WideItemTexts(), kept);
            EXPECT_EQ(test::Highlighted().size(), kept.size());
            EXPECT_EQ(shell::ReadText(TEXT1), " 27");
            for (const test::Item& item : test::ListItems()) logged.push_back(rt::WrittenForm(names + "\\" + item.text));
            test::Click(BUTTON6);
        },
        [] { test::Click(BUTTON7); },
        [&] {
            // Nothing beside the destination.
            std::vector<std::wstring> expected{L"mid", L"mid\\dest"};
            for (const std::wstring& name : kept) expected.push_back(L"mid\\dest\\" + name);
            EXPECT_EQ(test::FoldersBelowWide(outer.Path()), Sorted(expected));
            test::Click(BUTTON9);
        },
        [&] { EXPECT_EQ(test::FoldersBelow(outer.Path()), (std::vector<std::string>{"mid", "mid\\dest"})); },
    });
    ASSERT_EQ(ui.messageBoxes.size(), 3u);
    EXPECT_EQ(ui.messageBoxes[0].title, kNoticeTitle);
    const std::wstring head = L"扱えない名前のフォルダーが 16 個あったので、その中も含めて除外しました\r\n" +
                              rt::ToWide(names + "\\");
    const std::wstring& notice = ui.messageBoxes[0].text;
    ASSERT_EQ(notice.substr(0, head.size()), head);
    EXPECT_EQ(leftOut.count(rt::ToCp932Shown(notice.substr(head.size()))), 1u) << rt::ToCp932Shown(notice);
    EXPECT_EQ(ui.messageBoxes[1].text, kCopyDone);
    EXPECT_EQ(ui.messageBoxes[2].text, kUndoDone);
    // No line for what was left out, none broken by a line end in a name, and
    // "?" for each character without a code page 932 form.
    EXPECT_EQ(LogPaths(ScanLog()), Plus({names + "\\"}, logged));
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
                                           rt::ToWide(one + "\\q?x"));
    EXPECT_EQ(ui.messageBoxes[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
}

// A source and a destination whose own names have characters without a code
// page 932 form, with such names below: listed, shown, copied with the parent
// folder and undone under the very names; the logs and the export hold "?"
// for those characters.
TEST_F(HostileNamesTest, NamesWithoutACodePage932FormAreListedCopiedAndUndoneExactly) {
    const std::wstring exact = rt::ToWide(kHostile) + L"\\exact";
    const std::wstring source = exact + L"\\営業\u301C企画";
    const std::wstring destination = exact + L"\\納品\u301C控え";
    const std::vector<std::wstring> kept =
        Sorted({L"4月\u301C6月", L"4月\u301C6月\\A\u2212B", L"caf\u00E9", L"caf\u00E9\\na\u00EFve", L"\U0001F600",
                L"\uD55C\uAE00", L"\uD55C\uAE00\\\U00020BB7野家", L"価格\u00A5100", L"見積\u2014改\u2016",
                L"\u00A2\u00A3\u00AC", L"ok", L"ok\\ソ表", L"ｶﾅ\uFF5E全角"});
    const std::vector<std::wstring> before = test::FoldersBelowWide(rt::ToCp932Shown(exact));
    test::TempFolder out;
    Choose(source);
    Choose(destination);
    ui.dialogAnswers.push_back(rt::ToWide(out / "list"));
    test::RunProgramWith({
        [] { test::Click(BUTTON5); },
        [&] {
            EXPECT_EQ(WideItemTexts(), kept);
            EXPECT_EQ(test::Highlighted().size(), kept.size());
            EXPECT_EQ(test::WindowText(TEXT6.window), source);
            EXPECT_EQ(test::WindowText(EDIT1.window), L"営業\u301C企画");
            test::Click(BUTTON6);
        },
        [&] {
            EXPECT_EQ(test::WindowText(TEXT7.window), destination + L"\\");
            test::Click(CHECK1);
            test::Click(BUTTON7);
        },
        [&] {
            std::vector<std::wstring> made{L"営業\u301C企画"};
            for (const std::wstring& name : kept) made.push_back(L"営業\u301C企画\\" + name);
            EXPECT_EQ(test::FoldersBelowWide(rt::ToCp932Shown(destination)), Sorted(made));
            test::Click(BUTTON8);
        },
        [] { test::Click(BUTTON9); },
        [&] { EXPECT_TRUE(test::FoldersBelowWide(rt::ToCp932Shown(destination)).empty()); },
    });
    EXPECT_EQ(test::FoldersBelowWide(rt::ToCp932Shown(exact)), before);
    ASSERT_EQ(ui.messageBoxes.size(), 3u);
    const std::wstring head =
        L"扱えない名前のフォルダーが 3 個あったので、その中も含めて除外しました\r\n" + source + L"\\";
    const std::wstring& notice = ui.messageBoxes[0].text;
    ASSERT_EQ(notice.substr(0, head.size()), head);
    EXPECT_EQ((std::set<std::wstring>{L"q?x", L"CON", L"dot."}.count(notice.substr(head.size()))), 1u);
    EXPECT_EQ(ui.messageBoxes[1].text, kCopyDone);
    EXPECT_EQ(ui.messageBoxes[2].text, kUndoDone);
    // Each lent character is one "?" in a file, and each length is that of
    // the path as written.
    const std::string copyLog = CopyLog();
    EXPECT_NE(copyLog.find("\\\x94\x5B\x95\x69?\x8D\x54\x82\xA6\\\x89\x63\x8B\xC6?\x8A\xE9\x89\xE6\\4\x8C\x8E?6\x8C\x8E\\A?B\r\n"),
              std::string::npos);
    EXPECT_EQ(LogPaths(copyLog).size(), kept.size());
    const std::string list = test::ReadBytes(out / "list.TXT");
    EXPECT_EQ(list.substr(0, 11), "\x89\x63\x8B\xC6?\x8A\xE9\x89\xE6\r\n");
    EXPECT_NE(list.find("\r\n4\x8C\x8E?6\x8C\x8E\r\n"), std::string::npos);
    EXPECT_NE(list.find("\r\n\xB6\xC5\x81\x60\x91\x53\x8A\x70\r\n"), std::string::npos);
}

// A start-up folder whose name code page 932 cannot write: the logs go into it
// under its exact name, not beside it under a look-alike.
TEST_F(HostileNamesTest, TheLogsGoIntoAStartUpFolderWhoseNameHasNoCodePage932Form) {
    const std::wstring startHere = rt::ToWide(start.Path()) + L"\\caf\u00E9\u301C";
    ASSERT_TRUE(CreateDirectoryW(startHere.c_str(), nullptr));
    ASSERT_TRUE(SetCurrentDirectoryW(startHere.c_str()));
    test::MakeFolders(source / "A");
    Choose(source.Path());
    test::RunProgramWith({[] { test::Click(BUTTON5); }});
    SetCurrentDirectoryW(rt::ToWide(start.Path()).c_str());
    EXPECT_EQ(test::FoldersBelowWide(start.Path()), std::vector<std::wstring>{L"caf\u00E9\u301C"});
    const std::wstring log = startHere + L"\\TEST_FOL.TXT";
    EXPECT_NE(GetFileAttributesW(log.c_str()), INVALID_FILE_ATTRIBUTES);
}

// 200 levels: "C:\soratn2-hostile\deep\d\...\d" is 423 bytes; its listing
// pattern passed the old limit of 260 at the 119th level.
TEST_F(HostileNamesTest, A200LevelTreeIsListedToTheBottomCopiedAndUndone) {
    const std::string base = kHostile + "\\deep\\";
    std::vector<std::string> entries{"d"};
    while (entries.size() < 200) entries.push_back(entries.back() + "\\d");
    test::TempFolder destination;
    EXPECT_EQ(CopyAllAndUndo(base.substr(0, base.size() - 1), destination), entries);
    std::vector<std::string> listed{base};
    std::vector<std::string> targets;
    for (const std::string& entry : entries) {
        listed.push_back(base + entry);
        targets.push_back(destination / entry);
    }
    EXPECT_EQ(LogPaths(ScanLog()), Sorted(listed));
    EXPECT_EQ(LogPaths(CopyLog()), Sorted(targets));
}

TEST_F(HostileNamesTest, AName255BytesLongIsListedCopiedAndUndone) {
    const std::string longName(255, 'n');
    test::TempFolder destination;
    EXPECT_EQ(CopyAllAndUndo(kHostile + "\\long", destination),
              (std::vector<std::string>{longName, longName + "\\inside", "short"}));
}

// The loop is followed as long as the system resolves the link: Wine's host
// gives up after 40 links in one path, far past 260 bytes. The folder there
// cannot be read, so it has no entries, as any folder that cannot be read.
TEST_F(HostileNamesTest, ALinkToItsOwnAncestorIsFollowedAsFarAsTheSystemGoes) {
    const std::string links = kHostile + "\\links";
    test::TempFolder destination;
    const std::vector<std::string> items = CopyAllAndUndo(links, destination);
    for (const char* item : {"outside", "outside\\x", "sub", "sub\\loop", "sub\\loop\\outside\\x"}) {
        EXPECT_NE(std::find(items.begin(), items.end(), item), items.end()) << item;
    }
    std::size_t deepest = 0;
    for (const std::string& item : items) deepest = std::max(deepest, (links + "\\" + item).size());
    EXPECT_GT(deepest, 300u);
    EXPECT_EQ(test::FoldersBelow(kHostile + "\\links-outside"), (std::vector<std::string>{"x"}));
}

// Windows would hold the copy; Wine's host refuses a path past 4096 bytes of
// UTF-8, which 14 levels of a Japanese name below a destination that is
// itself 30 such levels deep pass. The program cannot know the host's limit
// beforehand: the refusal is a system failure like any other, the runtime
// error report at the first folder refused, the copy log ending with it, what
// was made so far all inside the destination.
TEST_F(HostileNamesTest, ACopyPastTheHostsLimitEndsWithTheRuntimeErrorReport) {
    const std::string base = kHostile + "\\japanese";
    test::TempFolder outer;
    const std::string japanese = "令和七年度顧客別見積書及び納品書控え一式営業部第二課担当分保管用資料原本";
    const std::string destination = outer / test::Repeated(japanese, 30);
    test::MakeFolders(destination);
    Choose(base);
    Choose(destination);
    const int exitCode = test::RunProgramWith({
        [] { test::Click(BUTTON5); },
        [] { test::Click(BUTTON6); },
        [] { test::Click(BUTTON7); },
    });
    EXPECT_EQ(exitCode, 0);
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text, L"\r\nSORATN2 [3046行]:エラー[27]");
    const std::string failed = test::LoggedPaths(CopyLog()).back();
    ASSERT_EQ(failed.substr(0, destination.size() + 1), destination + "\\");
    EXPECT_GT(rt::ToWide(failed).size() * 3, 4096u);
    EXPECT_FALSE(test::Exists(failed));
    EXPECT_TRUE(test::Exists(failed.substr(0, failed.rfind('\\'))));
    EXPECT_EQ(test::FoldersBelow(outer.Path()).size() - 30, test::FoldersBelow(destination).size());
}

// The tree rule at 14 levels of a 36-character name: deselecting the 12th
// level deselects all below it, the branch with 〜 included; selecting the
// 14th selects again every folder above it.
TEST_F(HostileNamesTest, TheTreeRuleHoldsAtAnyDepth) {
    const std::string japanese = "令和七年度顧客別見積書及び納品書控え一式営業部第二課担当分保管用資料原本";
    const std::string level12 = test::Repeated(japanese, 12);
    const std::string level14 = test::Repeated(japanese, 14);
    std::vector<std::string> items;
    std::vector<std::string> outside;
    Choose(kHostile + "\\japanese");
    test::RunProgramWith({
        [] { test::Click(BUTTON5); },
        [&] {
            items = ItemTexts();
            ASSERT_EQ(items.size(), 18u);
            test::ClickItem(level12);
        },
        [&] {
            for (const std::string& item : items) {
                if (item != level12 && item.rfind(level12 + "\\", 0) != 0) outside.push_back(item);
            }
            EXPECT_EQ(outside.size(), 13u);
            EXPECT_EQ(test::Highlighted(), outside);
            test::ClickItem(level14);
        },
        [&] {
            std::vector<std::string> expected;
            for (const std::string& item : items) {
                if (item.find("\\4月") == std::string::npos || item.rfind(level12 + "\\", 0) != 0) {
                    expected.push_back(item);
                }
            }
            EXPECT_EQ(expected.size(), 16u);
            EXPECT_EQ(test::Highlighted(), expected);
        },
    });
    EXPECT_TRUE(ui.messageBoxes.empty());
}

// A server that tells letter case apart hands out A\x and a\y; Windows holds
// one folder for A and a. The run makes it once, for A, and puts both x and
// y into it: a is no folder that was there before, and the undo removes
// exactly what the run made, leaving the empty destination empty.
TEST_F(HostileNamesTest, CaseTwinsGoIntoOneFolderThatTheUndoTakesAway) {
    test::TempFolder destination;
    Choose(kHostile + "\\twins");
    Choose(destination.Path());
    test::RunProgramWith({
        [] { test::Click(BUTTON5); },
        [&] {
            EXPECT_EQ(Sorted(ItemTexts()), (std::vector<std::string>{"A", "A\\x", "a", "a\\y"}));
            test::Click(BUTTON6);
        },
        [] { test::Click(BUTTON7); },
        [&] {
            const std::vector<std::string> made = test::FoldersBelow(destination.Path());
            ASSERT_EQ(made.size(), 3u);
            EXPECT_EQ(rt::ToWide(made[1]).substr(1), L"\\x");
            EXPECT_EQ(rt::ToWide(made[2]).substr(1), L"\\y");
            EXPECT_EQ(shell::ReadText(TEXT3), " 3");
            test::Click(BUTTON9);
        },
        [&] {
            EXPECT_TRUE(test::FoldersBelow(destination.Path()).empty());
            EXPECT_TRUE(test::Exists(destination.Path()));
        },
    });
    ASSERT_EQ(ui.messageBoxes.size(), 2u);
    EXPECT_EQ(ui.messageBoxes[0].text,
              kCopyDone + L"\r\nなお、大文字と小文字だけが違う名前を一つにまとめたフォルダーが 1 あります。");
    EXPECT_EQ(ui.messageBoxes[1].text, kUndoDone);
}

// The copy keeps its record of the targets it made only from the first one
// it finds already there: here "0", met before either twin, so the twins'
// folder is recorded as it is made and b still merges into B.
TEST_F(HostileNamesTest, CaseTwinsMetAfterAFolderAlreadyThereStillMerge) {
    test::TempFolder destination;
    test::MakeFolders(destination.Path() + "\\0");
    Choose(kHostile + "\\twins-after");
    Choose(destination.Path());
    test::RunProgramWith({
        [] { test::Click(BUTTON5); },
        [] { test::Click(BUTTON6); },
        [] { test::Click(BUTTON7); },
        [&] {
            EXPECT_EQ(test::FoldersBelow(destination.Path()).size(), 4u);
            EXPECT_EQ(shell::ReadText(TEXT3), " 3");
            test::Click(BUTTON9);
        },
        [&] { EXPECT_EQ(test::FoldersBelow(destination.Path()), (std::vector<std::string>{"0"})); },
    });
    ASSERT_EQ(ui.messageBoxes.size(), 2u);
    EXPECT_EQ(ui.messageBoxes[0].text,
              kCopyDone + L"\r\nなお、コピーする前に存在していたフォルダーが 1 あります。" +
                  L"\r\nなお、大文字と小文字だけが違う名前を一つにまとめたフォルダーが 1 あります。");
    EXPECT_EQ(ui.messageBoxes[1].text, kUndoDone);
}
