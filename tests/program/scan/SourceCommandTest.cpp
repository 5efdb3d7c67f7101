#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "program/Program.h"
#include "runtime/files/FileStatements.h"
#include "runtime/files/OpenFiles.h"
#include "runtime/system/Cp932.h"
#include "shell/ListOperations.h"
#include "support/ProgramDriver.h"
#include "support/ProgramRun.h"
#include "support/ProgramTest.h"
#include "support/ScriptedModalUi.h"
#include "support/TempFolder.h"

using namespace program;
using test::Item;

using test::LogLine;

namespace {

using SourceCommandTest = test::ProgramTest;

}  // namespace

TEST_F(SourceCommandTest, TheWalkStoresTheTreeBreadthFirst) {
    for (const char* folder : {"A\\B\\C", "D"}) test::MakeFolders(source / folder);
    test::RunProgramWith({[&] {
        sourceBase = source.Path() + "\\";
        scanFolder = "";
        folderCount = 0;
        rt::OpenForOutput(start / "walk.txt", 2);
        rt::Single subfolders = 0;
        フォルダー名取得_SUB(subfolders);
        EXPECT_EQ(subfolders, 2);
        CONTINUE_WALK_SUB();
        rt::CloseFiles({2});
        EXPECT_EQ(test::Table(), (std::vector<Item>{{"A", true}, {"D", true}, {"A\\B", true}, {"A\\B\\C", true}}));
        EXPECT_EQ(shell::ReadText(TEXT1), " 4");
    }});
    EXPECT_EQ(test::ReadBytes(start / "walk.txt"),
              LogLine(source.Path() + "\\") + LogLine(source / "A") + LogLine(source / "D") +
                  LogLine(source / "A\\B") + LogLine(source / "A\\B\\C") + "\x1A");
}

TEST_F(SourceCommandTest, AScanShowsEveryFolderSortedAndSelected) {
    const std::string data = source / "DATA";
    for (const char* folder : {"A\\B\\C", "D"}) test::MakeFolders(data + "\\" + folder);
    test::WriteBytes(start / "TEST_FOL.TXT", "an older log");
    Choose(data);
    test::RunProgramWith({
        [] { test::Click(BUTTON5); },
        [&] {
            const std::vector<Item> expected{{"A", true}, {"A\\B", true}, {"A\\B\\C", true}, {"D", true}};
            EXPECT_EQ(test::ListItems(), expected);
            EXPECT_EQ(test::Table(), expected);
            EXPECT_EQ(shell::ReadText(TEXT1), " 4");
            EXPECT_EQ(shell::ReadText(TEXT2), "抽出フォルダー数");
            EXPECT_EQ(shell::ReadText(TEXT6), data);
            EXPECT_EQ(shell::ReadText(EDIT1), "DATA");
            EXPECT_EQ(sourceBase, data + "\\");
            EXPECT_EQ(rt::CurrentFolder(""), data);
            for (const ControlHandle* control : {&BUTTON1, &BUTTON2, &BUTTON3, &BUTTON4, &LIST1, &BUTTON8}) {
                EXPECT_TRUE(test::Enabled(*control));
            }
            EXPECT_FALSE(test::Enabled(BUTTON7));  // no destination yet
            EXPECT_FALSE(test::Enabled(BUTTON9));
        },
    });
    EXPECT_EQ(ScanLog(), LogLine(data + "\\") + LogLine(data + "\\A") + LogLine(data + "\\D") +
                             LogLine(data + "\\A\\B") + LogLine(data + "\\A\\B\\C") + "\x1A");
    ASSERT_EQ(ui.saveDialogs.size(), 1u);
    EXPECT_EQ(ui.saveDialogs[0].title, L"コピー元になる場所は？");
    EXPECT_EQ(ui.saveDialogs[0].fileName, L"DUMMY");
}

TEST_F(SourceCommandTest, OnlyFoldersAreListedHiddenOnesAndDottedNamesIncluded) {
    const std::string data = source / "DATA";
    for (const char* folder : {"Data.old", "secret", "ソ表"}) test::MakeFolders(data + "\\" + folder);
    SetFileAttributesW(rt::ToWide(data + "\\secret").c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    test::WriteBytes(data + "\\file.txt", "x");
    test::WriteBytes(data + "\\Data.old\\inner.txt", "x");
    Choose(data);
    test::RunProgramWith({
        [] { test::Click(BUTTON5); },
        [] {
            std::vector<std::string> texts;
            for (const Item& item : test::ListItems()) texts.push_back(item.text);
            std::sort(texts.begin(), texts.end());
            EXPECT_EQ(texts, (std::vector<std::string>{"Data.old", "secret", "ソ表"}));
        },
    });
}

TEST_F(SourceCommandTest, TheSourceNameIsCutAtRealSeparatorsOnly) {
    // Both characters end in the byte of a backslash.
    const std::string data = source / "ソフト\\能ソ";
    test::MakeFolders(data + "\\A");
    Choose(data);
    test::RunProgramWith({
        [] { test::Click(BUTTON5); },
        [&] {
            EXPECT_EQ(shell::ReadText(EDIT1), "能ソ");
            EXPECT_EQ(shell::ReadText(TEXT6), data);
        },
    });
}

TEST_F(SourceCommandTest, ADriveRootIsNamedAfterItsLetter) {
    if (GetDriveTypeW(L"R:\\") == DRIVE_NO_ROOT_DIR) GTEST_SKIP() << "no drive R:";
    for (const char* folder : {"R:\\A", "R:\\B\\C"}) test::MakeFolders(folder);
    Choose("R:");
    test::RunProgramWith({
        [] { test::Click(BUTTON5); },
        [] {
            EXPECT_EQ(shell::ReadText(TEXT6), "R:\\");
            EXPECT_EQ(shell::ReadText(EDIT1), "R_DRIVE");
            EXPECT_EQ(test::Highlighted(), (std::vector<std::string>{"A", "B", "B\\C"}));
        },
    });
    test::RemoveTree("R:\\A");
    test::RemoveTree("R:\\B");
    EXPECT_EQ(ScanLog(), "(3) R:\\\r\n(4) R:\\A\r\n(4) R:\\B\r\n(6) R:\\B\\C\r\n\x1A");
}

TEST_F(SourceCommandTest, CancelEmptiesTheListAndKeepsWhatTheLastScanShowed) {
    const std::string data = source / "DATA";
    test::MakeFolders(data + "\\A");
    Choose(data);
    Cancel();
    test::RunProgramWith({
        [] {
            // A destination chosen before the source.
            destinationPath = "D:\\";
            shell::SetCaption(TEXT7, destinationPath);
            test::Click(BUTTON5);
        },
        [] {
            EXPECT_TRUE(test::Enabled(BUTTON7));
            test::Click(BUTTON5);
        },
        [&] {
            EXPECT_TRUE(test::ListItems().empty());
            EXPECT_EQ(shell::ReadText(TEXT6), data);
            EXPECT_EQ(shell::ReadText(EDIT1), "DATA");
            EXPECT_EQ(shell::ReadText(TEXT1), " 1");
            EXPECT_FALSE(test::Enabled(BUTTON7));
            EXPECT_FALSE(test::Enabled(BUTTON9));
            // With the list gone, nothing may select or export folders it no longer shows.
            for (const ControlHandle* control : {&BUTTON3, &BUTTON4, &LIST1, &BUTTON8}) {
                EXPECT_FALSE(test::Enabled(*control));
            }
            EXPECT_EQ(folderMarks[0], 0);
        },
    });
}

TEST_F(SourceCommandTest, ASourceWithoutSubfoldersLeavesNoList) {
    const std::string data = source / "DATA";
    test::MakeFolders(data);
    test::WriteBytes(data + "\\only-a-file.txt", "x");
    Choose(data);
    Choose(data);
    test::RunProgramWith({
        [] { test::Click(BUTTON5); },
        [] {
            EXPECT_TRUE(test::ListItems().empty());
            EXPECT_EQ(shell::ReadText(TEXT1), "");
            EXPECT_EQ(shell::ReadText(EDIT1), "DATA");
            EXPECT_FALSE(test::Enabled(BUTTON3));
            EXPECT_FALSE(test::Enabled(BUTTON7));
            // The log was closed: a second scan deletes and writes it again.
            test::Click(BUTTON5);
        },
        [] { EXPECT_TRUE(test::ListItems().empty()); },
    });
    EXPECT_EQ(ScanLog(), LogLine(data + "\\") + "\x1A");
}

TEST_F(SourceCommandTest, AFolderThatCannotBeListedHasNoChildren) {
    test::RunProgramWith({[&] {
        sourceBase = source.Path() + "\\";
        scanFolder = "gone";
        folderCount = 0;
        rt::OpenForOutput(start / "walk.txt", 2);
        rt::Single subfolders = 7;
        フォルダー名取得_SUB(subfolders);
        rt::CloseFiles({2});
        EXPECT_EQ(subfolders, 0);
        EXPECT_EQ(folderCount, 0);
    }});
    EXPECT_EQ(test::ReadBytes(start / "walk.txt"), LogLine(source / "gone") + "\x1A");
}

TEST_F(SourceCommandTest, TheFolderLimitStopsTheScanWithOneMessage) {
    const std::string big = "C:\\soratn2-limit";
    if (rt::FolderExists(big) == 0) GTEST_SKIP() << "no tree of more than 32767 folders";
    const std::string small = source / "SMALL";
    test::MakeFolders(small + "\\A");
    Choose(big);
    Choose(small);
    test::RunProgramWith({
        [] { test::Click(BUTTON5); },
        [&] {
            ASSERT_EQ(ui.messageBoxes.size(), 1u);
            EXPECT_EQ(ui.messageBoxes[0].title, L"フォルダー数に関するエラー");
            EXPECT_EQ(ui.messageBoxes[0].text,
                      L"フォルダー数が限界の３２７６７を越えたので処理できません\r\n"
                      L"階層を一つ下げると対応できるかもしれません");
            EXPECT_EQ(ui.messageBoxes[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
            EXPECT_EQ(folderCount, 32767);
            EXPECT_FALSE(folderNames[32766].empty());
            EXPECT_TRUE(test::ListItems().empty());
            EXPECT_EQ(shell::ReadText(TEXT1), " 32767");
            EXPECT_FALSE(test::Enabled(BUTTON3));
            EXPECT_EQ(ScanLog().back(), '\x1A');
            test::Click(BUTTON5);
        },
        [] {
            EXPECT_EQ(test::Highlighted(), std::vector<std::string>{"A"});
            EXPECT_EQ(shell::ReadText(TEXT1), " 1");
        },
    });
    EXPECT_EQ(ui.messageBoxes.size(), 1u);
}

// 257 bytes and the trailing "\": its listing pattern is 261 bytes, which
// Windows takes in its long form.
TEST_F(SourceCommandTest, ASourcePast260BytesIsListed) {
    std::string data = source.Path() + "\\";
    data.append(257 - data.size(), 'p');
    test::MakeFolders(data + "\\A");
    Choose(data);
    test::RunProgramWith({
        [] { test::Click(BUTTON5); },
        [&] {
            EXPECT_EQ(test::ListItems().size(), 1u);
            EXPECT_EQ(sourceBase, data + "\\");
            EXPECT_TRUE(test::Enabled(BUTTON8));
        },
    });
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(ScanLog(), "(258) " + data + "\\\r\n(259) " + data + "\\A\r\n\x1A");
}
