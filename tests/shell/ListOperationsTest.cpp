#include "shell/ListOperations.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "program/Program.h"
#include "runtime/Cp932.h"
#include "runtime/StatementPoll.h"
#include "shell/DeferredRedraw.h"
#include "support/ErrorOf.h"
#include "support/ProgramDriver.h"
#include "support/ProgramRun.h"

using program::LIST1;
using test::ErrorOf;

namespace {

void Fill(std::initializer_list<const char*> texts) {
    shell::ClearList(LIST1);
    for (const char* text : texts) shell::AddItem(LIST1, text);
}

std::vector<std::string> Texts() {
    std::vector<std::string> texts;
    for (const test::Item& item : test::ListItems()) texts.push_back(item.text);
    return texts;
}

}  // namespace

TEST(ListOperationsTest, EveryFolderComesBeforeTheFoldersBelowIt) {
    test::RunProgramWith({[] {
        Fill({"A\\B\\C", "A-B", "A B", "a\\b", "AB", "A.B", "A_B", "A\\B", "A", "ソ\\表", "ソ", "b", "C"});
        const std::vector<std::string> texts = Texts();
        const auto at = [&](const std::string& text) {
            return std::find(texts.begin(), texts.end(), text) - texts.begin();
        };
        EXPECT_LT(at("A"), at("A\\B"));
        EXPECT_LT(at("A"), at("a\\b"));
        EXPECT_LT(at("A\\B"), at("A\\B\\C"));
        EXPECT_LT(at("ソ"), at("ソ\\表"));
        // Letter case is ignored: b sorts with the B's, before C.
        EXPECT_LT(at("b"), at("C"));
        EXPECT_LT(at("A"), at("b"));
        EXPECT_EQ(texts.size(), 13u);
    }});
}

TEST(ListOperationsTest, IndicesOutsideTheItems) {
    test::RunProgramWith({[] {
        Fill({"A", "B"});
        EXPECT_EQ(shell::ItemCount(LIST1), 2);
        EXPECT_EQ(shell::ItemText(LIST1, 1), "B");
        EXPECT_EQ(shell::ItemText(LIST1, 2), "");
        EXPECT_EQ(shell::ItemText(LIST1, -1), "");
        EXPECT_EQ(ErrorOf([] { shell::SetSelection(LIST1, 2, -1); }), 1016);
        EXPECT_EQ(ErrorOf([] { shell::SetSelection(LIST1, -1, -1); }), 1016);
        EXPECT_EQ(ErrorOf([] { shell::GetSelection(LIST1, 2); }), 1016);
        shell::SetSelection(LIST1, 1, -1);
        EXPECT_EQ(shell::GetSelection(LIST1, 1), -1);
        EXPECT_EQ(shell::GetSelection(LIST1, 0), 0);
        shell::SetSelection(LIST1, 1, 0);
        EXPECT_EQ(shell::GetSelection(LIST1, 1), 0);
    }});
}

TEST(ListOperationsTest, TheProgramsOwnChangesRaiseNoEvent) {
    test::RunProgramWith({[] {
        EnableWindow(LIST1.window, TRUE);
        Fill({"A", "B", "C"});
        shell::SetSelection(LIST1, 0, -1);
        shell::SetSelection(LIST1, 0, 0);
        shell::ClearList(LIST1);
        EXPECT_EQ(rt::QueuedEvents(), 0u);
        EXPECT_EQ(shell::ItemCount(LIST1), 0);
    }});
}

TEST(ListOperationsTest, OnlyAListTakesListOperationsAndOnlyACheckBoxHasAState) {
    test::RunProgramWith({[] {
        EXPECT_EQ(ErrorOf([] { shell::AddItem(program::TEXT1, "x"); }), 1002);
        EXPECT_EQ(ErrorOf([] { shell::ItemCount(program::BUTTON1); }), 1002);
        EXPECT_EQ(ErrorOf([] { shell::CheckState(program::BUTTON1); }), 1002);
        EXPECT_EQ(ErrorOf([] { shell::CheckState(shell::ControlHandle{}); }), 1000);
        EXPECT_EQ(shell::CheckState(program::CHECK1), 0);
        SendMessageW(program::CHECK1.window, BM_SETCHECK, BST_CHECKED, 0);
        EXPECT_EQ(shell::CheckState(program::CHECK1), 1);
    }});
}

// The highlights are read from the list in one call and kept while nothing
// but the program can change them; a change from outside is seen as soon as
// a message could have brought it.
TEST(ListOperationsTest, HighlightsChangedFromOutsideAreSeenAtTheNextChanceForAMessage) {
    const auto highlightFromOutside = [](WPARAM item) { SendMessageW(LIST1.window, LB_SETSEL, TRUE, item); };
    test::RunProgramWith({[&] {
                              Fill({"A", "B", "C"});
                              EXPECT_EQ(shell::GetSelection(LIST1, 0), 0);
                              shell::SetSelection(LIST1, 1, -1);
                              EXPECT_EQ(shell::GetSelection(LIST1, 1), -1);
                              shell::SetSelection(LIST1, 1, 0);
                              EXPECT_EQ(shell::GetSelection(LIST1, 1), 0);
                              // As if delivered when the poll next looks at the queue.
                              highlightFromOutside(2);
                              // Under Wine the tick count may stand still while the
                              // process asks the window system nothing.
                              for (int tries = 0; tries < 100 && shell::GetSelection(LIST1, 2) == 0; ++tries) {
                                  Sleep(5);
                                  PostMessageW(rt::MainWindow(), WM_NULL, 0, 0);
                                  rt::Line(1);
                              }
                              EXPECT_EQ(shell::GetSelection(LIST1, 2), -1);
                              EXPECT_EQ(ErrorOf([] { shell::GetSelection(LIST1, 3); }), 1016);
                              highlightFromOutside(0);
                          },
                          [] {
                              // The next procedure starts from the list itself.
                              EXPECT_EQ(shell::GetSelection(LIST1, 0), -1);
                              EXPECT_EQ(shell::GetSelection(LIST1, 1), 0);
                          }});
}

// Items given to the empty list in one procedure go in together; they must
// stand exactly where the list puts items given to it one at a time.
TEST(ListOperationsTest, AListFilledInOneProcedureHasTheOrderTheListGivesItemsOneByOne) {
    const std::vector<std::string> texts = {
        "A\\B\\C", "A-B",   "A B",  "AB",  "A.B", "A_B",    "A\\B", "A",  "ソ\\表", "ソ",   "b",  "C",
        "co-op",   "coop",  "co'op", "ｱ",   "ア",  "あ",  "ァ",     "10",   "9",  "１",     "д",    "e",  "E\\x",
        "~",       "!",     "[a]",  "表",   "漢字", "－",  "ー",     "〜",   "Ａ", "z\\y",   "Z\\Y-", "-z", "z-"};
    std::vector<std::string> oneByOne;
    test::RunProgramWith({[&] {
        const HWND reference = CreateWindowExW(0, L"ListBox", L"", WS_CHILD | LBS_SORT | LBS_EXTENDEDSEL, 0, 0, 10, 10,
                                               rt::MainWindow(), nullptr, nullptr, nullptr);
        ASSERT_NE(reference, nullptr);
        for (const std::string& text : texts) {
            const std::wstring wide = rt::ToWide(text);
            SendMessageW(reference, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        }
        for (int i = 0; i < static_cast<int>(texts.size()); ++i) {
            std::wstring item(static_cast<std::size_t>(SendMessageW(reference, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
            item.resize(static_cast<std::size_t>(
                SendMessageW(reference, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
            oneByOne.push_back(rt::ToCp932Shown(item));
        }
        DestroyWindow(reference);
        shell::ClearList(LIST1);
        for (const std::string& text : texts) shell::AddItem(LIST1, text);
        EXPECT_EQ(Texts(), oneByOne);
    }});
}

// Held-back items go in before a dialog as well, in the middle of a
// procedure; what follows sees them.
TEST(ListOperationsTest, ItemsPutInBeforeADialogAreSeenByTheRestOfTheProcedure) {
    test::RunProgramWith({[] {
        Fill({"B", "A"});
        shell::ApplyBeforeDialog();
        EXPECT_EQ(shell::ItemCount(LIST1), 2);
        shell::SetSelection(LIST1, 1, -1);
        EXPECT_EQ(shell::ItemText(LIST1, 1), "B");
        EXPECT_EQ(shell::GetSelection(LIST1, 1), -1);
    }});
}

// Texts the list's comparison finds equal both go in, in the order given.
TEST(ListOperationsTest, TextsThatCompareEqualKeepTheOrderTheyWereGiven) {
    test::RunProgramWith({[] {
        Fill({"b", "A", "a", "B"});
        EXPECT_EQ(Texts(), (std::vector<std::string>{"A", "a", "b", "B"}));
    }});
}
