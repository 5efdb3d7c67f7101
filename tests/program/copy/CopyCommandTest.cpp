#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program/Program.h"
#include "runtime/system/Cp932.h"
#include "shell/ListOperations.h"
#include "support/ProgramDriver.h"
#include "support/ProgramRun.h"
#include "support/ProgramTest.h"

using namespace program;
using test::LogLine;

namespace {

// A source folder SRC with A, A\B and C, scanned, and the destination
// BACKUP chosen: the state in which a copy run starts.
class CopyCommandTest : public test::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        for (const char* folder : {"A\\B", "C"}) test::MakeFolders(src + "\\" + folder);
        test::MakeFolders(backup);
        Choose(src);
        Choose(backup);
    }

    // Scans, chooses the destination, then runs the steps.
    int Run(std::vector<std::function<void()>> steps) {
        std::vector<std::function<void()>> script{[] { test::Click(BUTTON5); },
                                                  [] { test::Click(BUTTON6); }};
        script.insert(script.end(), steps.begin(), steps.end());
        return test::RunProgramWith(std::move(script));
    }

    std::wstring LastMessage() const { return ui.messageBoxes.empty() ? L"" : ui.messageBoxes.back().text; }

    test::TempFolder destination;
    const std::string src = source / "SRC";
    const std::string backup = destination / "BACKUP";
};

const std::wstring kCopied = L"フォルダーのコピーを終了しました。";

}  // namespace

TEST_F(CopyCommandTest, MakesTheSelectedFoldersInTableOrderAndLogsEach) {
    Run({
        [] { test::ClickItem("C"); },
        [] { test::Click(BUTTON7); },
        [&] {
            EXPECT_TRUE(test::Exists(backup + "\\A\\B"));
            EXPECT_FALSE(test::Exists(backup + "\\C"));
            EXPECT_EQ(shell::ReadText(TEXT4), "コピー数");
            EXPECT_EQ(shell::ReadText(TEXT3), " 2");
            EXPECT_TRUE(test::Enabled(BUTTON9));
            EXPECT_EQ(copiedParentName, "");
            EXPECT_EQ(destinationPath, backup + "\\");
            EXPECT_EQ(shell::ReadText(TEXT7), backup + "\\");
        },
    });
    EXPECT_EQ(CopyLog(), LogLine(backup + "\\A") + LogLine(backup + "\\A\\B") + "\x1A");
    EXPECT_EQ(ui.messageBoxes.back().title, L"作業終了のお知らせ");
    EXPECT_EQ(LastMessage(), kCopied);
    EXPECT_EQ(ui.saveDialogs[1].title, L"コピー先になる場所は？");
}

TEST_F(CopyCommandTest, TheParentFolderComesFirstAndGoesLast) {
    std::wstring countWhileShown;
    Run({
        [] {
            test::Click(CHECK1);
            shell::SetCaption(EDIT1, "SRC");
            test::Click(BUTTON7);
        },
        [&] {
            EXPECT_TRUE(test::Exists(backup + "\\SRC\\A\\B"));
            EXPECT_TRUE(test::Exists(backup + "\\SRC\\C"));
            EXPECT_EQ(parentExisted, 0);
            EXPECT_EQ(copiedParentName, "SRC");
            // What the window shows while the message is open, read from the control itself.
            ui.whileShown = [&] {
                wchar_t shown[32] = L"";
                GetWindowTextW(TEXT3.window, shown, 32);
                countWhileShown = shown;
            };
            test::Click(BUTTON9);
        },
        [&] {
            EXPECT_FALSE(test::Exists(backup + "\\SRC"));
            EXPECT_TRUE(test::Exists(backup));
            EXPECT_EQ(shell::ReadText(TEXT4), "コピー数");
            EXPECT_EQ(shell::ReadText(TEXT3), "");
            EXPECT_FALSE(test::Enabled(BUTTON9));
        },
    });
    EXPECT_EQ(CopyLog(), LogLine(backup + "\\SRC\\A") + LogLine(backup + "\\SRC\\A\\B") +
                             LogLine(backup + "\\SRC\\C") + "\x1A");
    EXPECT_EQ(countWhileShown, L" 3");
    EXPECT_EQ(LastMessage(), L"コピーしたフォルダーを削除しました。");
}

TEST_F(CopyCommandTest, AParentFolderThatWasThereStays) {
    test::MakeFolders(backup + "\\SRC\\A");
    Run({
        [] {
            test::Click(CHECK1);
            test::Click(BUTTON7);
        },
        [] {
            EXPECT_EQ(parentExisted, 1);
            EXPECT_EQ(preexistingMarks[0], 1);  // A was there too
            test::Click(BUTTON9);
        },
        [&] {
            EXPECT_TRUE(test::Exists(backup + "\\SRC\\A"));
            EXPECT_FALSE(test::Exists(backup + "\\SRC\\A\\B"));
            EXPECT_FALSE(test::Exists(backup + "\\SRC\\C"));
        },
    });
    EXPECT_EQ(ui.messageBoxes[0].text,
              kCopied + L"\r\nなお、コピーする前に存在していたフォルダーが 1 あります。");
}

TEST_F(CopyCommandTest, TheParentNameIsCorrectedOrLeftOutWhenEmpty) {
    Run({
        [] {
            test::Click(CHECK1);
            shell::SetCaption(EDIT1, "");
            test::Click(BUTTON7);
        },
        [&] {
            EXPECT_TRUE(test::Exists(backup + "\\A\\B"));
            EXPECT_EQ(copiedParentName, "");
            shell::SetCaption(EDIT1, "a:b");
            test::Click(BUTTON7);
        },
        [&] {
            EXPECT_EQ(shell::ReadText(EDIT1), "a：b");
            EXPECT_TRUE(test::Exists(backup + "\\a：b\\A\\B"));
        },
    });
}

TEST_F(CopyCommandTest, ASecondRunFindsEverythingAndItsUndoRemovesNothing) {
    std::wstring countWhileShown = L"unset";
    Run({
        [] { test::Click(BUTTON7); },
        [] { test::Click(BUTTON7); },
        [&] {
            EXPECT_EQ(shell::ReadText(TEXT3), "");
            for (int i = 0; i < 3; ++i) EXPECT_EQ(preexistingMarks[i], 1) << i;
            ui.whileShown = [&] { countWhileShown = rt::ToWide(shell::ReadText(TEXT3)); };
            test::Click(BUTTON9);
        },
        [&] { EXPECT_TRUE(test::Exists(backup + "\\A\\B")); },
    });
    ASSERT_EQ(ui.messageBoxes.size(), 3u);
    EXPECT_EQ(ui.messageBoxes[1].text,
              kCopied + L"\r\nなお、コピーする前に存在していたフォルダーが 3 あります。");
    EXPECT_EQ(countWhileShown, L"");
    EXPECT_EQ(LastMessage(), L"コピーしたフォルダーを削除しました。");
}

TEST_F(CopyCommandTest, NothingSelectedMakesOnlyTheParentFolder) {
    Run({
        [] {
            test::Click(BUTTON4);
            test::Click(CHECK1);
            test::Click(BUTTON7);
        },
        [&] {
            EXPECT_TRUE(test::Exists(backup + "\\SRC"));
            EXPECT_FALSE(test::Exists(backup + "\\SRC\\A"));
        },
    });
    EXPECT_EQ(CopyLog(), "\x1A");
    EXPECT_EQ(LastMessage(), kCopied);
}

TEST_F(CopyCommandTest, TheSourceAsDestinationMakesNothing) {
    ui.dialogAnswers[1] = rt::ToWide(src + "\\DUMMY");
    Run({
        [] { test::Click(BUTTON7); },
        [] { EXPECT_EQ(shell::ReadText(TEXT3), ""); },
    });
    EXPECT_EQ(LastMessage(), kCopied + L"\r\nなお、コピーする前に存在していたフォルダーが 3 あります。");
}

// The list is what the scan found: the folders the copy makes inside the
// source do not join it.
TEST_F(CopyCommandTest, ADestinationInsideTheSourceTakesOnlyWhatTheScanFound) {
    ui.dialogAnswers[1] = rt::ToWide(src + "\\C\\DUMMY");
    Run({
        [] { test::Click(BUTTON7); },
        [&] {
            EXPECT_EQ(test::FoldersBelow(src), (std::vector<std::string>{"A", "A\\B", "C", "C\\A", "C\\A\\B", "C\\C"}));
            EXPECT_EQ(test::ListItems().size(), 3u);
            test::Click(BUTTON9);
        },
        [&] { EXPECT_EQ(test::FoldersBelow(src), (std::vector<std::string>{"A", "A\\B", "C"})); },
    });
}

TEST_F(CopyCommandTest, ADriveRootDestinationTakesOneBackslash) {
    if (GetDriveTypeW(L"R:\\") == DRIVE_NO_ROOT_DIR) GTEST_SKIP() << "no drive R:";
    ui.dialogAnswers[1] = L"R:\\DUMMY";
    Run({[] { test::Click(BUTTON7); }, [] { EXPECT_TRUE(test::Exists("R:\\A\\B")); }});
    for (const char* folder : {"R:\\A", "R:\\C"}) test::RemoveTree(folder);
    EXPECT_EQ(CopyLog(), "(4) R:\\A\r\n(6) R:\\A\\B\r\n(4) R:\\C\r\n\x1A");
}

TEST_F(CopyCommandTest, TheUndoPassesOverAFolderTheUserRemovedOrReplacedWithAFile) {
    std::wstring countWhileShown;
    Run({
        [] { test::Click(BUTTON7); },
        [&] {
            test::RemoveTree(backup + "\\A\\B");
            test::RemoveTree(backup + "\\C");
            test::WriteBytes(backup + "\\C", "kept");
            ui.whileShown = [&] { countWhileShown = rt::ToWide(shell::ReadText(TEXT3)); };
            test::Click(BUTTON9);
        },
        [&] {
            EXPECT_FALSE(test::Exists(backup + "\\A"));
            EXPECT_EQ(test::ReadBytes(backup + "\\C"), "kept");
        },
    });
    EXPECT_EQ(countWhileShown, L" 1");
    EXPECT_EQ(LastMessage(), L"コピーしたフォルダーを削除しました。");
}

TEST_F(CopyCommandTest, TheUndoStopsWithError27AtAFolderHoldingAFile) {
    const int exitCode = Run({
        [] { test::Click(BUTTON7); },
        [&] {
            test::WriteBytes(backup + "\\A\\B\\kept.txt", "x");
            test::Click(BUTTON9);
        },
    });
    EXPECT_EQ(exitCode, 0);
    // C comes after A\B in table order and was handled; A, before it, was not.
    EXPECT_FALSE(test::Exists(backup + "\\C"));
    EXPECT_TRUE(test::Exists(backup + "\\A\\B\\kept.txt"));
    ASSERT_FALSE(ui.messageBoxes.empty());
    EXPECT_EQ(ui.messageBoxes.back().title, L"app_tests.EXE");
    EXPECT_EQ(LastMessage(), L"\r\nSORATN2 [3208行]:エラー[27]");
}
