#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "runtime/system/Cp932.h"
#include "support/ChildProgram.h"
#include "support/TempFolder.h"
#include "support/UserAtTheWindow.h"

using namespace e2e;
using Texts = std::vector<std::wstring>;

namespace {

std::wstring Wide(const std::string& text) { return rt::ToWide(text); }

Texts Sorted(Texts texts) {
    std::sort(texts.begin(), texts.end());
    return texts;
}

// Which controls take input: BUTTON1 to BUTTON9 in order, then LIST1.
std::vector<bool> EnabledButtons(const UserAtTheWindow& user) {
    std::vector<bool> enabled;
    for (const int id : {kButton1, kButton2, kButton3, kButton4, kButton5, kButton6, kButton7, kButton8,
                         kButton9, kList1}) {
        enabled.push_back(user.Enabled(id));
    }
    return enabled;
}

// Every control's text and whether it takes input, in the form's order.
struct Screen {
    std::vector<std::wstring> texts;
    std::vector<bool> enabled;
};

Screen ScreenOf(const UserAtTheWindow& user) {
    Screen screen;
    for (int id = kText1; id <= kButton9; ++id) {
        screen.texts.push_back(id == kList1 ? L"" : user.Text(id));
        screen.enabled.push_back(user.Enabled(id));
    }
    return screen;
}

void ExpectScreen(const UserAtTheWindow& user, const std::vector<std::wstring>& texts,
                  const std::vector<bool>& enabled) {
    const Screen screen = ScreenOf(user);
    EXPECT_EQ(screen.texts, texts);
    EXPECT_EQ(screen.enabled, enabled);
}

std::string LogLine(const std::string& path) {
    return "(" + std::to_string(path.size()) + ") " + path + "\r\n";
}

class TypicalUseTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* folder : {"A\\ソ\\表", "B\\C"}) test::MakeFolders(source + "\\" + folder);
    }

    // The user picks SRC as the source and BACKUP as the destination.
    void ScanAndChooseTheDestination(UserAtTheWindow& user) {
        test::MakeFolders(destination);
        user.Click(kButton5);
        user.SaveAs(Wide(source + "\\DUMMY"));
        user.Click(kButton6);
        user.SaveAs(Wide(destination + "\\DUMMY"));
    }

    test::TempFolder start;
    test::TempFolder work;
    const std::string source = work / "SRC";
    const std::string destination = work / "BACKUP";
    const std::string out = work / "OUT";
};

}  // namespace

TEST_F(TypicalUseTest, FromSourceToCopyUndoAndExport) {
    test::MakeFolders(destination);
    test::MakeFolders(out);
    UserAtTheWindow user(Wide(start.Path()));

    // Start-up: only the source, destination, check box and name box take input.
    const std::wstring srcText = Wide(source);
    const std::wstring backupText = Wide(destination + "\\");
    ExpectScreen(user,
                 {L"", L"抽出フォルダー数", L"", L"", L"", L"－", L"＋", L"文字の大きさ", L"全部選択", L"全部解除",
                  L"コピー元", L"コピー先", L"", L"", L"親フォルダーもコピーする", L"", L"コピー実行",
                  L"リストをテキスト出力", L"元に戻す"},
                 {true, true, true, true, false, false, false, true, false, false, true, true, true, true, true,
                  true, false, false, false});
    EXPECT_EQ(test::WindowText(user.Window()),
              L"\u3000\u3000\u3000\u3000\u3000\u3000＜＜\u3000ソラタナ\u3000Ver.２ L20\u3000＞＞");

    user.Click(kButton5);
    user.SaveAs(Wide(source + "\\DUMMY"));
    EXPECT_EQ(Sorted(user.Items()), Sorted({L"A", L"A\\ソ", L"A\\ソ\\表", L"B", L"B\\C"}));
    EXPECT_EQ(user.SelectedItems().size(), 5u);
    EXPECT_EQ(user.Text(kText6), Wide(source));
    EXPECT_EQ(user.Text(kEdit1), L"SRC");
    EXPECT_EQ(user.Text(kText1), L" 5");
    EXPECT_EQ(user.Text(kText2), L"抽出フォルダー数");
    EXPECT_EQ(EnabledButtons(user),
              (std::vector<bool>{true, true, true, true, true, true, false, true, false, true}));
    user.SaveScreenshot(test::ProgramBesideThisTest() + L".after-scan.bmp");

    user.ClickItem(L"B");
    EXPECT_EQ(Sorted(user.SelectedItems()), Sorted({L"A", L"A\\ソ", L"A\\ソ\\表"}));

    user.Click(kButton6);
    user.SaveAs(Wide(destination + "\\DUMMY"));
    EXPECT_EQ(user.Text(kText7), Wide(destination + "\\"));
    EXPECT_TRUE(user.Enabled(kButton7));

    user.Click(kButton7);
    EXPECT_EQ(user.ReadAndCloseMessage(), L"作業終了のお知らせ|フォルダーのコピーを終了しました。");
    ExpectScreen(user,
                 {L" 5", L"抽出フォルダー数", L" 3", L"コピー数", L"", L"－", L"＋", L"文字の大きさ", L"全部選択",
                  L"全部解除", L"コピー元", L"コピー先", srcText, backupText, L"親フォルダーもコピーする", L"SRC",
                  L"コピー実行", L"リストをテキスト出力", L"元に戻す"},
                 {true, true, true, true, true, true, true, true, true, true, true, true, true, true, true, true,
                  true, true, true});
    EXPECT_TRUE(test::Exists(destination + "\\A\\ソ\\表"));
    EXPECT_FALSE(test::Exists(destination + "\\B"));
    EXPECT_EQ(user.Text(kText4), L"コピー数");
    EXPECT_EQ(user.Text(kText3), L" 3");
    EXPECT_TRUE(user.Enabled(kButton9));
    EXPECT_EQ(test::ReadBytes(start / "TEST_FOL2.TXT"),
              LogLine(destination + "\\A") + LogLine(destination + "\\A\\ソ") +
                  LogLine(destination + "\\A\\ソ\\表") + "\x1A");

    EXPECT_EQ(user.Undo(), L"作業終了のお知らせ|コピーしたフォルダーを削除しました。");
    ExpectScreen(user,
                 {L" 5", L"抽出フォルダー数", L"", L"コピー数", L"", L"－", L"＋", L"文字の大きさ", L"全部選択",
                  L"全部解除", L"コピー元", L"コピー先", srcText, backupText, L"親フォルダーもコピーする", L"SRC",
                  L"コピー実行", L"リストをテキスト出力", L"元に戻す"},
                 {true, true, true, true, true, true, true, true, true, true, true, true, true, true, true, true,
                  true, true, false});
    EXPECT_FALSE(test::Exists(destination + "\\A"));
    EXPECT_FALSE(user.Enabled(kButton9));
    EXPECT_EQ(user.Text(kText3), L"");

    user.Click(kCheck1);
    user.Click(kButton7);
    EXPECT_EQ(user.ReadAndCloseMessage(), L"作業終了のお知らせ|フォルダーのコピーを終了しました。");
    EXPECT_TRUE(test::Exists(destination + "\\SRC\\A\\ソ\\表"));

    user.Click(kButton8);
    user.SaveAs(Wide(out + "\\list"));
    EXPECT_EQ(test::ReadBytes(out + "\\list.TXT"), "SRC\r\nA\r\nA\\\x83\x5C\r\nA\\\x83\x5C\\\x95\x5C\r\n\x1A");

    EXPECT_EQ(test::ReadBytes(start / "TEST_FOL.TXT"),
              LogLine(source + "\\") + LogLine(source + "\\A") + LogLine(source + "\\B") +
                  LogLine(source + "\\A\\ソ") + LogLine(source + "\\B\\C") + LogLine(source + "\\A\\ソ\\表") +
                  "\x1A");
    PostMessageW(user.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(user.WaitForExit(), 0u);
}

TEST_F(TypicalUseTest, AnUndoThatMeetsAFileEndsTheProgramWithItsReport) {
    UserAtTheWindow user(Wide(start.Path()));
    ScanAndChooseTheDestination(user);
    user.Click(kButton7);
    user.ReadAndCloseMessage();
    test::WriteBytes(destination + "\\B\\C\\note.txt", "x");

    EXPECT_EQ(user.Undo(), L"SORATN2.EXE|\r\nSORATN2 [3208行]:エラー[27]");
    EXPECT_EQ(user.WaitForExit(), 0u);
    EXPECT_TRUE(test::Exists(destination + "\\B\\C\\note.txt"));
    EXPECT_EQ(test::ReadBytes(start / "TEST_FOL2.TXT").back(), '\x1A');
}

TEST_F(TypicalUseTest, TabReachesTheCopyButtonAndEnterRunsIt) {
    UserAtTheWindow user(Wide(start.Path()));
    ScanAndChooseTheDestination(user);

    std::vector<int> visited;
    for (int presses = 0; presses < 12 && user.FocusedWindow() != user.Control(kButton7); ++presses) {
        user.PressKey(VK_TAB);
        visited.push_back(GetDlgCtrlID(user.FocusedWindow()));
    }
    ASSERT_EQ(user.FocusedWindow(), user.Control(kButton7));
    // Only enabled Tab stops, in the form's order.
    for (const int id : visited) EXPECT_TRUE(user.Enabled(id)) << id;

    user.PressKey(VK_RETURN);
    EXPECT_EQ(user.ReadAndCloseMessage(), L"作業終了のお知らせ|フォルダーのコピーを終了しました。");
    EXPECT_TRUE(test::Exists(destination + "\\B\\C"));
    PostMessageW(user.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(user.WaitForExit(), 0u);
}

TEST_F(TypicalUseTest, CtrlCWhileIdleInterruptsTheProgram) {
    UserAtTheWindow user(Wide(start.Path()));
    user.TypeCtrlC();
    EXPECT_EQ(user.ReadAndCloseMessage(),
              L"SORATN2.EXE|\r\n中断しました SORATN2[148行] \r\n任意のキーを押してください");
    EXPECT_EQ(user.WaitForExit(), 0u);
}

// A close request from outside (another program, the taskbar) while a dialog
// of a command is open waits for the command: the dialog stays, the answer
// given in it is carried out, and then the program ends as closed.
TEST_F(TypicalUseTest, ACloseRequestWhileADialogIsOpenEndsTheProgramAfterTheCommand) {
    const struct {
        const char* answer;
        bool scanned;
    } cases[] = {{"confirmed", true}, {"cancelled", false}, {"a folder not there, then cancelled", false}};
    for (const auto& row : cases) {
        SCOPED_TRACE(row.answer);
        test::TempFolder here;
        UserAtTheWindow user(Wide(here.Path()));
        user.Click(kButton5);
        const HWND dialog = user.WaitForDialog();
        ASSERT_NE(dialog, nullptr);
        PostMessageW(user.Window(), WM_CLOSE, 0, 0);
        Sleep(500);
        EXPECT_TRUE(IsWindow(user.Window()));
        EXPECT_EQ(user.DialogNow(), dialog);
        if (row.scanned) {
            user.Save(Wide(source + "\\DUMMY"));
        } else if (std::string(row.answer) == "cancelled") {
            user.CancelDialog();
        } else {
            EXPECT_THROW(user.Save(Wide(work / "NOT-THERE\\DUMMY")), std::runtime_error);
        }
        EXPECT_EQ(user.WaitForExit(), 0u);
        EXPECT_EQ(test::Exists(here / "TEST_FOL.TXT"), row.scanned);
    }
}

// The same request while the copy's closing message is open.
TEST_F(TypicalUseTest, ACloseRequestWhileAMessageIsOpenEndsTheProgramOnceItIsClosed) {
    UserAtTheWindow user(Wide(start.Path()));
    ScanAndChooseTheDestination(user);
    user.Click(kButton7);
    ASSERT_NE(user.WaitForDialog(), nullptr);
    PostMessageW(user.Window(), WM_CLOSE, 0, 0);
    Sleep(500);
    EXPECT_TRUE(IsWindow(user.Window()));
    EXPECT_EQ(user.ReadAndCloseMessage(), L"作業終了のお知らせ|フォルダーのコピーを終了しました。");
    EXPECT_EQ(user.WaitForExit(), 0u);
    EXPECT_EQ(test::ReadBytes(start / "TEST_FOL2.TXT").back(), '\x1A');
}

