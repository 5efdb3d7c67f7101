#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "program/Program.h"
#include "shell/ListOperations.h"
#include "support/ProgramDriver.h"
#include "support/ProgramRun.h"
#include "support/ProgramTest.h"
#include "support/TempFolder.h"

using namespace program;
using Texts = std::vector<std::string>;

namespace {

constexpr int kNameOff = 1;
constexpr int kDepthOff = 2;
constexpr int kBranchOnly = 3;

Texts Sorted(Texts texts) {
    std::sort(texts.begin(), texts.end());
    return texts;
}

Texts SortedHighlighted() { return Sorted(test::Highlighted()); }

void WithUndo() { EnableWindow(BUTTON9.window, TRUE); }

class ListMenuTest : public test::ProgramTest {
protected:
    test::TempFolder out;
};

// A folder tree as a file manager would hold it: 2,000 folders, up to seven
// deep, 40 of them called 旧 at several depths, some inside others.
Texts TreeWithOldFolders() {
    Texts folders;
    unsigned seed = 12345;
    const auto next = [&seed](unsigned below) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % below;
    };
    std::vector<std::string> parents{""};
    std::set<std::string> taken;
    int olds = 0;
    while (folders.size() < 2000) {
        const std::string& parent = parents[next(static_cast<unsigned>(parents.size()))];
        const auto depth = std::count(parent.begin(), parent.end(), '\\') + (parent.empty() ? 0 : 1);
        if (depth >= 7) continue;
        const bool old = olds < 40 && folders.size() % 50 == 7;
        const std::string name = old ? "旧" : "F" + std::to_string(folders.size());
        const std::string path = parent.empty() ? name : parent + "\\" + name;
        if (!taken.insert(path).second) continue;
        if (old) ++olds;
        folders.push_back(path);
        parents.push_back(path);
    }
    return folders;
}

bool UnderOld(const std::string& path) {
    const std::string wrapped = "\\" + path + "\\";
    return wrapped.find("\\旧\\") != std::string::npos;
}

}  // namespace

TEST_F(ListMenuTest, EveryFolderOfTheNameLeavesTheSelectionWithWhatIsBelowIt) {
    const Texts folders = TreeWithOldFolders();
    const auto olds = std::count_if(folders.begin(), folders.end(), [](const std::string& path) {
        return path == "旧" || path.ends_with("\\旧");
    });
    ASSERT_EQ(olds, 40);
    std::set<long> depths;
    for (const std::string& path : folders) {
        if (path == "旧" || path.ends_with("\\旧")) depths.insert(std::count(path.begin(), path.end(), '\\'));
    }
    EXPECT_GE(depths.size(), 4u);
    Texts kept;
    for (const std::string& path : folders) {
        if (!UnderOld(path)) kept.push_back(path);
    }
    ASSERT_GT(folders.size() - kept.size(), 40u);  // some 旧 hold folders

    // The 旧 chosen is a deep one: the command is about the name, not the place.
    std::string deepOld;
    for (const std::string& path : folders) {
        if (path.ends_with("\\旧") && std::count(path.begin(), path.end(), '\\') >= 3) deepOld = path;
    }
    ASSERT_FALSE(deepOld.empty());
    ui.menuAnswers = {kNameOff};
    RunOnTree(source.Path(), folders, {
        [&] {
            WithUndo();
            test::RightClickItem(deepOld);
        },
        [&] {
            ASSERT_EQ(ui.popupMenus.size(), 1u);
            EXPECT_EQ(ui.popupMenus[0].items,
                      (std::vector<std::wstring>{L"「旧」という名前のフォルダーをすべて選択しない",
                                                 L"この深さより下を選択しない", L"ここから下だけを選択する"}));
            EXPECT_EQ(SortedHighlighted(), Sorted(kept));
            EXPECT_FALSE(test::Enabled(BUTTON9));
            Choose(out.Path(), "list");
            test::Click(BUTTON8);
        },
    });
    // The export holds the selected folders.
    std::string exported = test::ReadBytes(out / "list.TXT");
    ASSERT_TRUE(exported.ends_with("\x1A"));
    exported.pop_back();
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < exported.size();) {
        const std::size_t end = exported.find("\r\n", at);
        ASSERT_NE(end, std::string::npos);
        lines.push_back(exported.substr(at, end - at));
        at = end + 2;
    }
    EXPECT_EQ(Sorted(lines), Sorted(kept));
}

namespace {

const Texts kTree = {"A\\B\\C\\E", "A\\D", "AB", "B\\F", "B\\G"};
const Texts kAll = {"A", "A\\B", "A\\B\\C", "A\\B\\C\\E", "A\\D", "AB", "B", "B\\F", "B\\G"};

// The list before the command (everything, or nothing when `fromNothing`),
// the command on an item, and the folders highlighted afterwards.
struct Case {
    const char* rule;
    Texts tree;
    bool fromNothing;
    std::string item;
    int command;
    Texts highlighted;
};

const Case kCases[] = {
    {"deeper than the second level off", kTree, false, "A\\B", kDepthOff,
     {"A", "A\\B", "A\\D", "AB", "B", "B\\F", "B\\G"}},
    {"below the first level off", kTree, false, "B", kDepthOff, {"A", "AB", "B"}},
    {"below the deepest level nothing changes", kTree, false, "A\\B\\C\\E", kDepthOff, kAll},
    {"the depth leaves what is deselected as it is", kTree, true, "A\\B", kDepthOff, {}},
    {"a branch keeps its ancestors and all below it", kTree, false, "A\\B", kBranchOnly,
     {"A", "A\\B", "A\\B\\C", "A\\B\\C\\E"}},
    {"a branch from the first level", kTree, false, "B", kBranchOnly, {"B", "B\\F", "B\\G"}},
    {"a branch from nothing selects it with its ancestors", kTree, true, "A\\B\\C", kBranchOnly,
     {"A", "A\\B", "A\\B\\C", "A\\B\\C\\E"}},
    {"a name that merely starts alike is no relative of a branch", kTree, false, "A", kBranchOnly,
     {"A", "A\\B", "A\\B\\C", "A\\B\\C\\E", "A\\D"}},
    {"a leaf's branch is itself and its ancestors", kTree, false, "A\\D", kBranchOnly, {"A", "A\\D"}},
    {"names are told apart as Windows does, letter case aside", {"X\\old\\Y", "OLD", "Z\\Old", "Z\\olden", "Z\\bold"},
     false, "X\\old", kNameOff, {"X", "Z", "Z\\bold", "Z\\olden"}},
    {"full-width letters too", {"Ｄａｔａ", "Q\\ｄａｔａ\\R", "Q\\Data"}, false, "Ｄａｔａ", kNameOff, {"Q", "Q\\Data"}},
    {"a second byte like that of a backslash separates nothing", {"ソ\\X", "A\\ソ", "A\\ソX", "A\\X"}, false,
     "A\\ソ", kNameOff, {"A", "A\\X", "A\\ソX"}},
    {"the name of a folder directly below the source", {"A\\B", "B", "C\\B\\D"}, false, "B", kNameOff,
     {"A", "C"}},
};

}  // namespace

TEST_F(ListMenuTest, EachCommandGivesItsSet) {
    int row = 0;
    for (const Case& rule : kCases) {
        SCOPED_TRACE(rule.rule);
        ui.menuAnswers = {rule.command};
        ui.popupMenus.clear();
        RunOnTree(source / ("case" + std::to_string(row++)), rule.tree, {
            [&] {
                if (rule.fromNothing) test::Click(BUTTON4);
            },
            [&] {
                WithUndo();
                test::RightClickItem(rule.item);
            },
            [&] {
                EXPECT_EQ(ui.popupMenus.size(), 1u);
                EXPECT_EQ(SortedHighlighted(), Sorted(rule.highlighted));
                EXPECT_FALSE(test::Enabled(BUTTON9));
            },
        });
    }
}

TEST_F(ListMenuTest, ARightClickAloneChangesNothing) {
    RunOnTree(source.Path(), kTree, {
        [] { test::ClickItem("B"); },
        [] {
            WithUndo();
            test::RightClickItem("A\\B");
        },
        [&] {
            // The menu was shown and closed without a command.
            EXPECT_EQ(ui.popupMenus.size(), 1u);
            EXPECT_EQ(SortedHighlighted(), Sorted({"A", "A\\B", "A\\B\\C", "A\\B\\C\\E", "A\\D", "AB"}));
            EXPECT_TRUE(test::Enabled(BUTTON9));
            // Below the last item there is no folder to ask about.
            RECT client{};
            GetClientRect(LIST1.window, &client);
            const LPARAM below = MAKELPARAM(10, client.bottom - 4);
            PostMessageW(LIST1.window, WM_RBUTTONDOWN, MK_RBUTTON, below);
            PostMessageW(LIST1.window, WM_RBUTTONUP, 0, below);
        },
        [&] { EXPECT_EQ(ui.popupMenus.size(), 1u); },
    });
}

TEST_F(ListMenuTest, TheMenuKeyAndShiftF10OpenItForTheFocusedItem) {
    ui.menuAnswers = {kDepthOff, kBranchOnly};
    RunOnTree(source.Path(), kTree, {
        [] { test::PressKeyOnItem("A\\B\\C", VK_APPS); },
        [&] {
            ASSERT_EQ(ui.popupMenus.size(), 1u);
            EXPECT_EQ(SortedHighlighted(), Sorted({"A", "A\\B", "A\\B\\C", "A\\D", "AB", "B", "B\\F", "B\\G"}));
            // Shift held as the list sees it, F10 pressed.
            BYTE keys[256] = {};
            GetKeyboardState(keys);
            keys[VK_SHIFT] = 0x80;
            SetKeyboardState(keys);
            test::PressKeyOnItem("B", VK_F10);
        },
        [&] {
            BYTE keys[256] = {};
            GetKeyboardState(keys);
            keys[VK_SHIFT] = 0;
            SetKeyboardState(keys);
            EXPECT_EQ(ui.popupMenus.size(), 2u);
            EXPECT_EQ(SortedHighlighted(), Sorted({"B", "B\\F", "B\\G"}));
        },
    });
}

TEST_F(ListMenuTest, AnAmpersandInTheNameIsShownAsOne) {
    RunOnTree(source.Path(), {"A&B\\C"}, {
        [] { test::RightClickItem("A&B"); },
        [&] {
            ASSERT_EQ(ui.popupMenus.size(), 1u);
            EXPECT_EQ(ui.popupMenus[0].items[0], L"「A&&B」という名前のフォルダーをすべて選択しない");
        },
    });
}
