#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "program/Program.h"
#include "runtime/Cp932.h"
#include "runtime/FileStatements.h"
#include "shell/ListOperations.h"
#include "support/ProgramDriver.h"
#include "support/ProgramRun.h"
#include "support/ProgramTest.h"
#include "support/ScriptedModalUi.h"
#include "support/TempFolder.h"

using namespace program;
using Texts = std::vector<std::string>;

namespace {

// Scans a tree of the given folders, then runs the steps on its list. The
// highlight and the marks must agree after every step.
class SelectionCommandsTest : public test::ProgramTest {
protected:
    void RunOnTree(std::initializer_list<const char*> folders, std::vector<std::function<void()>> steps) {
        for (const char* folder : folders) test::MakeFolders(source / folder);
        Choose(source.Path());
        std::vector<std::function<void()>> script{[] { test::Click(BUTTON5); }};
        for (auto& step : steps) {
            script.push_back([step = std::move(step)] {
                EXPECT_EQ(test::ListItems(), test::Table());
                step();
            });
        }
        script.push_back([] { EXPECT_EQ(test::ListItems(), test::Table()); });
        test::RunProgramWith(std::move(script));
    }
};

const std::initializer_list<const char*> kTree = {"A\\B\\C", "A\\D", "B"};

}  // namespace

TEST_F(SelectionCommandsTest, SelectingAFolderSelectsItsAncestors) {
    RunOnTree(kTree, {
        [] { test::Click(BUTTON4); },
        [] {
            EXPECT_TRUE(test::Highlighted().empty());
            test::ClickItem("A\\B\\C");
        },
        [] { EXPECT_EQ(test::Highlighted(), (Texts{"A", "A\\B", "A\\B\\C"})); },
    });
}

TEST_F(SelectionCommandsTest, DeselectingAFolderDeselectsItsDescendants) {
    RunOnTree(kTree, {
        [] { test::ClickItem("A\\B"); },
        [] {
            EXPECT_EQ(test::Highlighted(), (Texts{"A", "A\\D", "B"}));
            test::Click(BUTTON3);
        },
        [] {
            EXPECT_EQ(test::Highlighted(), (Texts{"A", "A\\B", "A\\B\\C", "A\\D", "B"}));
            test::ClickItem("A");
        },
        [] { EXPECT_EQ(test::Highlighted(), Texts{"B"}); },
    });
}

TEST_F(SelectionCommandsTest, FoldersDirectlyBelowTheSourceChangeAlone) {
    RunOnTree(kTree, {
        [] { test::Click(BUTTON4); },
        [] { test::ClickItem("A"); },
        [] {
            EXPECT_EQ(test::Highlighted(), Texts{"A"});
            test::ClickItem("B");
        },
        [] {
            EXPECT_EQ(test::Highlighted(), (Texts{"A", "B"}));
            test::ClickItem("B");
        },
        [] { EXPECT_EQ(test::Highlighted(), Texts{"A"}); },
    });
}

TEST_F(SelectionCommandsTest, ANameThatMerelyStartsAlikeIsNoRelative) {
    RunOnTree({"A\\B", "AB"}, {
        [] { test::ClickItem("A"); },
        [] {
            EXPECT_EQ(test::Highlighted(), Texts{"AB"});
            test::Click(BUTTON4);
        },
        [] { test::ClickItem("AB"); },
        [] { EXPECT_EQ(test::Highlighted(), Texts{"AB"}); },
    });
}

TEST_F(SelectionCommandsTest, ASecondByteLikeABackslashSeparatesNothing) {
    RunOnTree({"A\\ソ\\X", "A\\ソX"}, {
        [] { test::Click(BUTTON4); },
        [] { test::ClickItem("A\\ソ\\X"); },
        [] {
            Texts highlighted = test::Highlighted();
            std::sort(highlighted.begin(), highlighted.end());
            EXPECT_EQ(highlighted, (Texts{"A", "A\\ソ", "A\\ソ\\X"}));
            test::ClickItem("A\\ソ");
        },
        [] { EXPECT_EQ(test::Highlighted(), Texts{"A"}); },
    });
}

TEST_F(SelectionCommandsTest, EveryListCommandWithdrawsTheUndo) {
    const auto withUndo = [] { EnableWindow(BUTTON9.window, TRUE); };
    RunOnTree(kTree, {
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
