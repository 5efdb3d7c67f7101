#include <windows.h>

#include <commdlg.h>

#include <gtest/gtest.h>

#include <string>

#include "program/Program.h"
#include "runtime/system/Cp932.h"
#include "shell/ListOperations.h"
#include "support/ProgramDriver.h"
#include "support/ProgramRun.h"
#include "support/ProgramTest.h"

using namespace program;

namespace {

// A scanned source SRC with A, A\B, C and ソ表; exports go to `out`.
class ListExportTest : public test::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        for (const char* folder : {"A\\B", "C", "ソ表"}) test::MakeFolders(source / ("SRC\\" + std::string(folder)));
    }

    // Starts the program, scans SRC, runs the steps, then exports under the
    // name the user types in `out`.
    void Export(const std::string& typed, std::vector<std::function<void()>> before = {},
                std::function<void()> after = [] {}) {
        rt::ChangeFolder(start.Path());
        Choose(source / "SRC");
        Choose(out.Path(), typed);
        std::vector<std::function<void()>> script{[] { test::Click(BUTTON5); }};
        script.insert(script.end(), before.begin(), before.end());
        script.push_back([] { test::Click(BUTTON8); });
        script.push_back(after);
        test::RunProgramWith(std::move(script));
    }

    test::TempFolder out;
};

}  // namespace

TEST_F(ListExportTest, WritesTheSelectedFoldersByteForByte) {
    Export("フォルダーリスト.TXT");
    EXPECT_EQ(test::ReadBytes(out / "フォルダーリスト.TXT"), "A\r\nA\\B\r\nC\r\n\x83\x5C\x95\x5C\r\n\x1A");
    ASSERT_EQ(ui.saveDialogs.size(), 2u);
    const rt::SaveDialogRequest& dialog = ui.saveDialogs[1];
    EXPECT_EQ(dialog.title, L"リストを保存する場所は？");
    EXPECT_EQ(dialog.fileName, L"フォルダーリスト.TXT");
    EXPECT_EQ(dialog.filter, std::wstring(L"(*.*)\0*.*\0\0", 11));
    EXPECT_TRUE(dialog.flags & OFN_OVERWRITEPROMPT);
    EXPECT_EQ(ui.messageBoxes.size(), 0u);
}

TEST_F(ListExportTest, TheParentLineComesFirstCorrected) {
    Export("list", {[] {
        test::Click(CHECK1);
        shell::SetCaption(EDIT1, "S:R");
        test::ClickItem("A");
    }});
    EXPECT_EQ(test::ReadBytes(out / "list.TXT"), "S：R\r\nC\r\n\x83\x5C\x95\x5C\r\n\x1A");
}

TEST_F(ListExportTest, NothingSelectedAndNoParentGivesTheEndMarkAlone) {
    Export("empty", {[] {
        test::Click(BUTTON4);
        test::Click(CHECK1);
        shell::SetCaption(EDIT1, "");
    }});
    EXPECT_EQ(test::ReadBytes(out / "empty.TXT"), "\x1A");
}

TEST_F(ListExportTest, TXTIsAddedOnlyWhenTheNameHasNoFullStop) {
    test::MakeFolders(out / "my.dir");
    Export("list.csv");
    Export("my.dir\\list");
    EXPECT_TRUE(test::Exists(out / "list.csv"));
    EXPECT_FALSE(test::Exists(out / "list.csv.TXT"));
    EXPECT_TRUE(test::Exists(out / "my.dir\\list.TXT"));
}

TEST_F(ListExportTest, AFileOfTheCompletedNameIsNotReplacedWithoutAQuestion) {
    test::WriteBytes(out / "list.TXT", "keep me");
    ui.buttonAnswers.push_back(IDNO);
    Export("list", {[] {
               shell::SetCaption(EDIT1, "x:y");
               test::Click(CHECK1);
           }},
           // Answered No: nothing written, nothing changed.
           [] { EXPECT_EQ(shell::ReadText(EDIT1), "x:y"); });
    EXPECT_EQ(test::ReadBytes(out / "list.TXT"), "keep me");
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text,
              rt::ToWide(out / "list.TXT") + L" は既に存在します。\r\n上書きしますか？");
    EXPECT_EQ(ui.messageBoxes[0].style & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));

    ui.buttonAnswers.push_back(IDYES);
    Export("list");
    EXPECT_EQ(test::ReadBytes(out / "list.TXT"), "A\r\nA\\B\r\nC\r\n\x83\x5C\x95\x5C\r\n\x1A");
}
