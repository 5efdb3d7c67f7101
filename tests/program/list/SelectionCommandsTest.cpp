#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "program/Program.h"
#include "runtime/files/FileStatements.h"
#include "runtime/system/Cp932.h"
#include "shell/ListOperations.h"
#include "support/ProgramDriver.h"
#include "support/ProgramRun.h"
#include "support/ProgramTest.h"
#include "support/ScriptedModalUi.h"
#include "support/TempFolder.h"

using namespace program;
using Texts = std::vector<std::string>;

namespace {

class SelectionCommandsTest : public test::ProgramTest {};

const std::vector<std::string> kTree = {"A\\B\\C", "A\\D", "B"};

// What the user does, and the folders highlighted afterwards.
struct Step {
    std::string click;  // an item, or "+" (select all) or "-" (deselect all)
    Texts highlighted;
};

struct Case {
    const char* rule;
    std::vector<std::string> tree;
    std::vector<Step> steps;
};

const Case kCases[] = {
    {"selecting a folder selects its ancestors", kTree,
     {{"-", {}}, {"A\\B\\C", {"A", "A\\B", "A\\B\\C"}}}},
    {"deselecting a folder deselects its descendants", kTree,
     {{"A\\B", {"A", "A\\D", "B"}}, {"+", {"A", "A\\B", "A\\B\\C", "A\\D", "B"}}, {"A", {"B"}}}},
    {"folders directly below the source change alone", kTree,
     {{"-", {}}, {"A", {"A"}}, {"B", {"A", "B"}}, {"B", {"A"}}}},
    {"a name that merely starts alike is no relative", {"A\\B", "AB"},
     {{"A", {"AB"}}, {"-", {}}, {"AB", {"AB"}}}},
    {"a second byte like that of a backslash separates nothing", {"A\\ソ\\X", "A\\ソX"},
     {{"-", {}}, {"A\\ソ\\X", {"A", "A\\ソ", "A\\ソ\\X"}}, {"A\\ソ", {"A"}}}},
};

void Do(const std::string& click) {
    if (click == "+") {
        test::Click(BUTTON3);
    } else if (click == "-") {
        test::Click(BUTTON4);
    } else {
        test::ClickItem(click);
    }
}

Texts SortedHighlighted() {
    Texts highlighted = test::Highlighted();
    std::sort(highlighted.begin(), highlighted.end());
    return highlighted;
}

}  // namespace

TEST_F(SelectionCommandsTest, TheSelectionStaysATree) {
    int row = 0;
    for (const Case& rule : kCases) {
        SCOPED_TRACE(rule.rule);
        std::vector<std::function<void()>> steps{[&] { Do(rule.steps[0].click); }};
        for (std::size_t i = 0; i < rule.steps.size(); ++i) {
            steps.push_back([&, i] {
                Texts expected = rule.steps[i].highlighted;
                std::sort(expected.begin(), expected.end());
                EXPECT_EQ(SortedHighlighted(), expected) << "after " << rule.steps[i].click;
                if (i + 1 < rule.steps.size()) Do(rule.steps[i + 1].click);
            });
        }
        RunOnTree(source / ("case" + std::to_string(row++)), rule.tree, std::move(steps));
    }
}

TEST_F(SelectionCommandsTest, EveryListCommandWithdrawsTheUndo) {
    const auto withUndo = [] { EnableWindow(BUTTON9.window, TRUE); };
    RunOnTree(source.Path(), kTree, {
        withUndo,
        [] { test::Click(BUTTON3); },
        [&] {
            EXPECT_FALSE(test::Enabled(BUTTON9));
            withUndo();
            test::Click(BUTTON4);
        },
        [&] {
            EXPECT_FALSE(test::Enabled(BUTTON9));
            withUndo();
            test::Click(CHECK1);
        },
        [&] {
            EXPECT_FALSE(test::Enabled(BUTTON9));
            EXPECT_EQ(shell::CheckState(CHECK1), 1);
            EXPECT_TRUE(test::Highlighted().empty());
            withUndo();
            test::ClickItem("B");
        },
        [&] {
            EXPECT_FALSE(test::Enabled(BUTTON9));
            EXPECT_EQ(test::Highlighted(), Texts{"B"});
            withUndo();
            // An arrow key moves the focus rectangle and changes no selection.
            SetFocus(LIST1.window);
            PostMessageW(LIST1.window, WM_KEYDOWN, VK_UP, 1);
            PostMessageW(LIST1.window, WM_KEYUP, VK_UP, 1 | (3L << 30));
        },
        [] {
            EXPECT_FALSE(test::Enabled(BUTTON9));
            EXPECT_EQ(test::Highlighted(), Texts{"B"});
        },
    });
}
