#include "shell/ListOperations.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "program/Program.h"
#include "runtime/dialogs/ModalUi.h"
#include "runtime/lang/ErrorNumbers.h"
#include "runtime/lang/RuntimeError.h"
#include "runtime/run/EventQueue.h"
#include "runtime/run/RunHooks.h"
#include "runtime/run/StatementPoll.h"
#include "runtime/system/Cp932.h"
#include "support/ChildProgram.h"
#include "support/ErrorOf.h"
#include "support/ProgramDriver.h"
#include "support/ProgramRun.h"
#include "support/ScriptedModalUi.h"

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
// but the program can change them; a change from outside, which can only come
// while a dialog is open, is seen once it has closed.
TEST(ListOperationsTest, HighlightsChangedFromOutsideAreSeenOnceADialogHasClosed) {
    test::ScriptedModalUi ui;
    ui.whileShown = [] { SendMessageW(LIST1.window, LB_SETSEL, TRUE, 2); };
    test::RunProgramWith({[] {
                              Fill({"A", "B", "C"});
                              EXPECT_EQ(shell::GetSelection(LIST1, 0), 0);
                              shell::SetSelection(LIST1, 1, -1);
                              EXPECT_EQ(shell::GetSelection(LIST1, 1), -1);
                              shell::SetSelection(LIST1, 1, 0);
                              EXPECT_EQ(shell::GetSelection(LIST1, 1), 0);
                              EXPECT_EQ(shell::GetSelection(LIST1, 2), 0);
                              rt::ShowMessageBox({});
                              EXPECT_EQ(shell::GetSelection(LIST1, 2), -1);
                              EXPECT_EQ(ErrorOf([] { shell::GetSelection(LIST1, 3); }), 1016);
                              SendMessageW(LIST1.window, LB_SETSEL, TRUE, 0);
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
    std::vector<std::string> texts = {
        "A\\B\\C", "A-B",   "A B",  "AB",  "A.B", "A_B",    "A\\B", "A",  "ソ\\表", "ソ",   "b",  "C",
        "co-op",   "coop",  "co'op", "ｱ",   "ア",  "あ",  "ァ",     "10",   "9",  "１",     "д",    "e",  "E\\x",
        "~",       "!",     "[a]",  "表",   "漢字", "－",  "ー",     "〜",   "Ａ", "z\\y",   "Z\\Y-", "-z", "z-"};
    std::vector<std::string> oneByOne;
    test::RunProgramWith({[&] {
        // Names without a code page 932 form, held back as the program's
        // bytes with their lent characters, go in as the system's names.
        for (const std::wstring_view name : {std::wstring_view(L"caf\u00e9"), std::wstring_view(L"\U0001F600\\b"),
                                             std::wstring_view(L"\u00c5ngstr\u00f6m")}) {
            std::string bytes;
            ASSERT_TRUE(rt::ToCp932(name, bytes));
            texts.push_back(bytes);
        }
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
        EXPECT_NE(std::find(oneByOne.begin(), oneByOne.end(), texts.back()), oneByOne.end());
    }});
}

// Held-back items go in before a dialog as well, in the middle of a
// procedure; what follows sees them.
TEST(ListOperationsTest, ItemsPutInBeforeADialogAreSeenByTheRestOfTheProcedure) {
    test::ScriptedModalUi ui;
    LRESULT shown = 0;
    ui.whileShown = [&] { shown = SendMessageW(LIST1.window, LB_GETCOUNT, 0, 0); };
    test::RunProgramWith({[&] {
        Fill({"B", "A"});
        rt::ShowMessageBox({});
        EXPECT_EQ(shown, 2);
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

namespace {

// Counts the messages LIST1 receives, by message, while installed.
class MessageCount {
public:
    MessageCount() {
        counts_.clear();
        original_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(LIST1.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Counting)));
    }
    ~MessageCount() { SetWindowLongPtrW(LIST1.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_)); }
    MessageCount(const MessageCount&) = delete;
    MessageCount& operator=(const MessageCount&) = delete;

    // The messages a list knows (LB_*) taken since the last call, by message.
    std::map<UINT, int> Take() {
        std::map<UINT, int> taken;
        for (const auto& [message, count] : counts_) {
            if (message >= LB_ADDSTRING && message < LB_MSGMAX) taken[message] = count;
        }
        counts_.clear();
        return taken;
    }

private:
    static LRESULT CALLBACK Counting(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        ++counts_[message];
        return CallWindowProcW(original_, window, message, wParam, lParam);
    }
    static inline std::map<UINT, int> counts_;
    static inline WNDPROC original_ = nullptr;
};

}  // namespace

// What the shell holds back and knows during a procedure is for this: filling
// the list with 32,000 folders, highlighting them all and a click on the last
// one each ask the list about once per item they change, not once per item
// they look at.
TEST(ListOperationsTest, AFillASelectAllAndAClickOnTheLastOf32000ItemsAskTheListLittle) {
    constexpr int kItems = 32000;
    std::map<UINT, int> fill;
    std::map<UINT, int> selectAll;
    std::map<UINT, int> click;
    std::optional<MessageCount> counted;
    test::RunProgramWith({
        [&] {
            program::folderCount = kItems;
            for (int i = 0; i < kItems; ++i) {
                char name[16];
                std::snprintf(name, sizeof name, "F%05d", i);
                program::folderNames[i] = name;
            }
            counted.emplace();
            program::ADD_LIST1_SUB();
        },
        [&] {
            fill = counted->Take();
            program::SET_LIST1_SUB();
        },
        [&] {
            selectAll = counted->Take();
            EnableWindow(LIST1.window, TRUE);
            test::ClickItem("F31999");
        },
        [&] {
            click = counted->Take();
            counted.reset();
            EXPECT_EQ(shell::GetSelection(LIST1, kItems - 1), 0);
            EXPECT_EQ(program::folderMarks[kItems - 1], 0);
        },
    });
    EXPECT_EQ(fill[LB_INSERTSTRING], kItems);
    EXPECT_EQ(fill[LB_ADDSTRING], 0);
    EXPECT_LE(fill[LB_GETCOUNT], 2);
    EXPECT_EQ(selectAll[LB_SELITEMRANGE], kItems);
    EXPECT_LE(selectAll[LB_GETCOUNT], 1);
    EXPECT_EQ(selectAll[LB_GETSEL], 0);
    // The click's own handling by the list, then LIST1_CLICK: one look at all
    // highlights for the 32,000 it compares with the table.
    EXPECT_EQ(click[LB_GETSELITEMS], 1);
    EXPECT_EQ(click[LB_GETSEL], 0);
    EXPECT_LE(click[LB_GETCOUNT], 2);
}

namespace {

// The last WM_SETREDRAW LIST1 received while installed: -1 for none.
class RedrawSeen {
public:
    RedrawSeen() {
        last_ = -1;
        original_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(LIST1.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Seeing)));
    }
    ~RedrawSeen() { SetWindowLongPtrW(LIST1.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_)); }
    RedrawSeen(const RedrawSeen&) = delete;
    RedrawSeen& operator=(const RedrawSeen&) = delete;

    static int Last() { return last_; }

private:
    static LRESULT CALLBACK Seeing(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_SETREDRAW) last_ = wParam ? 1 : 0;
        return CallWindowProcW(original_, window, message, wParam, lParam);
    }
    static inline int last_ = -1;
    static inline WNDPROC original_ = nullptr;
};

}  // namespace

// A procedure left by a runtime error or by Ctrl+C settles on its way out:
// the report stands over a list that holds what the procedure gave it and is
// drawn again, and over the counter's last text.
TEST(ListOperationsTest, TheReportOfAProcedureThatFailedStandsOverControlsAsItLeftThem) {
    for (const bool interrupted : {false, true}) {
        test::ScriptedModalUi ui;
        std::optional<RedrawSeen> seen;
        LRESULT items = -1;
        int redraw = -1;
        std::wstring counter;
        ui.whileShown = [&] {
            items = SendMessageW(LIST1.window, LB_GETCOUNT, 0, 0);
            redraw = RedrawSeen::Last();
            counter = test::WindowText(program::TEXT1.window);
        };
        test::RunProgramWith({[&] {
            seen.emplace();
            Fill({"B", "A", "C"});
            shell::SetCaption(program::TEXT1, "3");
            if (interrupted) throw rt::ProgramEnd{.interrupted = true};
            rt::Raise(rt::err::kBadArgument);
        }});
        SCOPED_TRACE(interrupted ? "Ctrl+C" : "runtime error");
        ASSERT_EQ(ui.messageBoxes.size(), 1u);
        EXPECT_EQ(items, 3);
        EXPECT_EQ(redraw, 1);
        EXPECT_EQ(counter, L"3");
    }
}
