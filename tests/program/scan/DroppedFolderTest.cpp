#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "program/Program.h"
#include "runtime/system/Cp932.h"
#include "shell/ListOperations.h"
#include "support/LongPaths.h"
#include "support/ProgramDriver.h"
#include "support/ProgramRun.h"
#include "support/ProgramTest.h"
#include "support/TempFolder.h"

using namespace program;

namespace {

// What the user sees of the source and the destination.
struct State {
    std::string text6, edit1, text1, text7;
    std::vector<test::Item> items;
    bool button7, button9;
    bool operator==(const State&) const = default;
};

State StateNow() {
    return {shell::ReadText(TEXT6), shell::ReadText(EDIT1), shell::ReadText(TEXT1), shell::ReadText(TEXT7),
            test::ListItems(), test::Enabled(BUTTON7), test::Enabled(BUTTON9)};
}

void WithUndo() { EnableWindow(BUTTON9.window, TRUE); }

class DroppedFolderTest : public test::ProgramTest {
protected:
    // The state and scan log after the source command through its dialog,
    // and after the same folder dropped on the list instead.
    void ExpectTheDropScansAsTheDialog(const std::wstring& folder) {
        State byDialog;
        State byDrop;
        ui.dialogAnswers.push_back(folder + (folder.ends_with(L'\\') ? L"DUMMY" : L"\\DUMMY"));
        test::RunProgramWith({[] { test::Click(BUTTON5); }, [&] { byDialog = StateNow(); }});
        const std::string logByDialog = ScanLog();
        ASSERT_EQ(ui.saveDialogs.size(), 1u);
        EXPECT_FALSE(byDialog.items.empty());

        test::RunProgramWith({[&] { test::Drop({folder}, LIST1); }, [&] { byDrop = StateNow(); }});
        EXPECT_EQ(ui.saveDialogs.size(), 1u);  // no dialog for the drop
        EXPECT_EQ(byDrop.text6, byDialog.text6);
        EXPECT_EQ(byDrop.edit1, byDialog.edit1);
        EXPECT_EQ(byDrop.text1, byDialog.text1);
        EXPECT_EQ(byDrop.text7, byDialog.text7);
        EXPECT_EQ(byDrop.items, byDialog.items);
        EXPECT_EQ(byDrop.button7, byDialog.button7);
        EXPECT_EQ(byDrop.button9, byDialog.button9);
        EXPECT_EQ(ScanLog(), logByDialog);
        EXPECT_TRUE(ui.messageBoxes.empty());
    }
};

}  // namespace

TEST_F(DroppedFolderTest, AFolderDroppedOnTheListIsScannedAsIfConfirmedInTheDialog) {
    test::MakeFolders(source / "DATA\\A\\B");
    test::MakeFolders(source / "DATA\\C");
    ExpectTheDropScansAsTheDialog(rt::ToWide(source / "DATA"));
}

TEST_F(DroppedFolderTest, ANameEndingInTheByteOfABackslashKeepsItsLastCharacter) {
    test::MakeFolders(source / "ソフト\\能ソ\\A");
    ExpectTheDropScansAsTheDialog(rt::ToWide(source / "ソフト\\能ソ"));
}

TEST_F(DroppedFolderTest, ANameWithoutACodePage932FormIsScannedAsThroughTheDialog) {
    const std::wstring folder = rt::ToWide(source.Path()) + L"\\café✓";
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW((folder + L"\\ñ").c_str(), nullptr);
    ExpectTheDropScansAsTheDialog(folder);
}

TEST_F(DroppedFolderTest, APathPast260UnitsIsScannedAsThroughTheDialog) {
    const std::string folder = test::PathOfUnits(source.Path(), 400);
    test::MakeFolders(folder + "\\A");
    ExpectTheDropScansAsTheDialog(rt::ToWide(folder));
}

TEST_F(DroppedFolderTest, ADriveRootIsScannedAsThroughTheDialog) {
    if (GetDriveTypeW(L"R:\\") == DRIVE_NO_ROOT_DIR) GTEST_SKIP() << "no drive R:";
    test::MakeFolders("R:\\A\\B");
    ExpectTheDropScansAsTheDialog(L"R:\\");
    test::RemoveTree("R:\\A");
}

TEST_F(DroppedFolderTest, OnTheDestinationButtonOrItsTextAFolderBecomesTheDestination) {
    test::MakeFolders(source / "SRC\\A");
    test::MakeFolders(source / "TO");
    for (const ControlHandle* onto : {&BUTTON6, &TEXT7}) {
        Choose(source / "SRC");
        test::RunProgramWith({
            [] { test::Click(BUTTON5); },
            [&] {
                WithUndo();
                test::Drop({rt::ToWide(source / "TO")}, *onto);
            },
            [&] {
                EXPECT_EQ(destinationPath, source / "TO\\");
                EXPECT_EQ(shell::ReadText(TEXT7), source / "TO\\");
                EXPECT_EQ(shell::ReadText(TEXT6), source / "SRC");  // the source stays
                EXPECT_TRUE(test::Enabled(BUTTON7));
                EXPECT_FALSE(test::Enabled(BUTTON9));
            },
        });
    }
    EXPECT_EQ(ui.saveDialogs.size(), 2u);  // the two sources only
    EXPECT_TRUE(ui.messageBoxes.empty());
}

namespace {

struct Refused {
    const char* rule;
    std::vector<std::string> dropped;  // below the test's source folder
    bool onText7;
    std::string text;                  // the notice, where "%" stands for the first path
};

const Refused kRefused[] = {
    {"a file", {"FILE.TXT"}, false, "ファイルではなくフォルダーをドロップしてください\r\n%"},
    {"a file on the destination", {"FILE.TXT"}, true, "ファイルではなくフォルダーをドロップしてください\r\n%"},
    {"two folders", {"SRC", "TO"}, false, "フォルダーを一つだけドロップしてください"},
    {"two folders on the destination", {"SRC", "TO"}, true, "フォルダーを一つだけドロップしてください"},
    {"a folder that is not there", {"GONE"}, false, "ドロップされたフォルダーが見つかりません\r\n%"},
};

}  // namespace

TEST_F(DroppedFolderTest, AFileSeveralItemsOrAMissingFolderGiveOneNoticeAndChangeNothing) {
    test::MakeFolders(source / "SRC\\A");
    test::MakeFolders(source / "TO");
    test::WriteBytes(source / "FILE.TXT", "x");
    for (const Refused& row : kRefused) {
        SCOPED_TRACE(row.rule);
        ui.messageBoxes.clear();
        Choose(source / "SRC");
        Choose(source / "TO");
        State before;
        std::string logBefore;
        test::RunProgramWith({
            [] { test::Click(BUTTON5); },
            [] { test::Click(BUTTON6); },
            [] { test::ClickItem("A"); },
            [&] {
                WithUndo();
                before = StateNow();
                logBefore = ScanLog();
                std::vector<std::wstring> paths;
                for (const std::string& name : row.dropped) paths.push_back(rt::ToWide(source / name));
                test::Drop(paths, row.onText7 ? TEXT7 : LIST1);
            },
            [&] {
                EXPECT_TRUE(StateNow() == before);
                EXPECT_EQ(destinationPath, source / "TO\\");
                EXPECT_EQ(ScanLog(), logBefore);
            },
        });
        ASSERT_EQ(ui.messageBoxes.size(), 1u);
        std::string text = row.text;
        if (const auto at = text.find('%'); at != std::string::npos) text.replace(at, 1, source / row.dropped[0]);
        EXPECT_EQ(ui.messageBoxes[0].title, L"ドロップに関するお知らせ");
        EXPECT_EQ(ui.messageBoxes[0].text, rt::ToWide(text));
        EXPECT_EQ(ui.messageBoxes[0].style & MB_ICONEXCLAMATION, static_cast<UINT>(MB_ICONEXCLAMATION));
    }
}

TEST_F(DroppedFolderTest, ADropWaitsForTheCommandUnderWayAndRunsAfterIt) {
    test::MakeFolders(source / "FIRST\\A");
    test::MakeFolders(source / "SECOND\\B");
    Choose(source / "FIRST");
    test::RunProgramWith({
        [&] {
            // The click's command is queued at once; the drop arrives while
            // it waits, and comes after it.
            test::Click(BUTTON5);
            test::Drop({rt::ToWide(source / "SECOND")}, LIST1);
        },
        [&] {
            EXPECT_EQ(shell::ReadText(TEXT6), source / "SECOND");
            EXPECT_EQ(test::Highlighted(), (std::vector<std::string>{"B"}));
        },
    });
    EXPECT_EQ(ui.saveDialogs.size(), 1u);
    EXPECT_EQ(ScanLog(), test::LogLine(source / "SECOND\\") + test::LogLine(source / "SECOND\\B") + "\x1A");
}
