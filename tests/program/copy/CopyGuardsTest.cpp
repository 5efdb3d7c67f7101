#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "program/Program.h"
#include "runtime/system/Cp932.h"
#include "shell/ListOperations.h"
#include "support/ChildProgram.h"
#include "support/LongPaths.h"
#include "support/ProgramDriver.h"
#include "support/ProgramRun.h"
#include "support/ProgramTest.h"

using namespace program;

namespace {

class CopyGuardsTest : public test::ProgramTest {
protected:
    // The user scans the source, chooses `destination` and starts a copy;
    // the steps follow.
    void CopyThen(const std::string& destination, std::vector<std::function<void()>> steps) {
        Choose(source.Path());
        Choose(destination);
        std::vector<std::function<void()>> script{[] { test::Click(BUTTON5); }, [] { test::Click(BUTTON6); },
                                                  [] { test::Click(BUTTON7); }};
        script.insert(script.end(), std::make_move_iterator(steps.begin()), std::make_move_iterator(steps.end()));
        test::RunProgramWith(std::move(script));
    }
};

}  // namespace

TEST_F(CopyGuardsTest, NoCopyWithoutAConfirmedDestination) {
    test::TempFolder destination;
    test::MakeFolders(source / "A");
    Choose(source.Path());
    Cancel();
    Choose(destination.Path());
    Cancel();
    test::RunProgramWith({
        [] { test::Click(BUTTON5); },
        [] {
            EXPECT_FALSE(test::Enabled(BUTTON7));
            test::Click(BUTTON6);
        },
        [] {
            // A source and a list, but no destination yet.
            EXPECT_FALSE(test::Enabled(BUTTON7));
            test::Click(BUTTON6);
        },
        [] {
            EXPECT_TRUE(test::Enabled(BUTTON7));
            test::Click(BUTTON6);
        },
        [&] {
            EXPECT_TRUE(test::Enabled(BUTTON7));
            EXPECT_EQ(shell::ReadText(TEXT7), destination.Path() + "\\");
        },
    });
}

// Windows holds a path of 32767 units in its long form: a destination deep
// enough that a target passes it is refused before anything is made, the
// first target that fits included.
TEST_F(CopyGuardsTest, ATargetLongerThanWindowsHoldsStopsTheRunBeforeItStarts) {
    test::TempFolder destination;
    const std::string deep = test::PathOfUnits(destination / "far", 32767 - 100);
    const std::string longName(180, 'n');
    test::MakeFolders(source / ("A\\" + longName));
    CopyThen(deep, {
        [&] {
            EXPECT_TRUE(test::FoldersBelow(destination.Path()).empty());
            EXPECT_FALSE(test::Exists(start / "TEST_FOL2.TXT"));
            EXPECT_EQ(shell::ReadText(TEXT4), "");
            EXPECT_FALSE(test::Enabled(BUTTON9));
        },
    });
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].title, L"コピー先に関するエラー");
    EXPECT_EQ(ui.messageBoxes[0].text, L"コピー先のパスが長すぎるフォルダーがあるので処理できません\r\n" +
                                           rt::ToWide(deep + "\\A\\" + longName));
    EXPECT_EQ(ui.messageBoxes[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
}

// A name is held to 255 UTF-16 units, as Windows counts: 256 letters, or 256
// characters without a code page 932 form (512 bytes in the program), are one
// too many; the bytes count for nothing.
TEST_F(CopyGuardsTest, AParentNameLongerThanWindowsHoldsIsRefusedBeforeAnythingHappens) {
    test::TempFolder destination;
    test::MakeFolders(source / "SRC\\A");
    Choose(source / "SRC");
    Choose(destination.Path());
    const std::vector<std::wstring> names{std::wstring(256, L'n'), std::wstring(256, L'\u00E9')};
    std::vector<std::function<void()>> steps{
        [] { test::Click(BUTTON5); },
        [] {
            test::Click(BUTTON6);
            test::Click(CHECK1);
        },
    };
    for (const std::wstring& name : names) {
        steps.push_back([name] {
            SetWindowTextW(EDIT1.window, name.c_str());
            test::Click(BUTTON7);
        });
        steps.push_back([&, name] {
            EXPECT_EQ(ui.messageBoxes.back().text, L"コピー先のパスが長すぎるフォルダーがあるので処理できません\r\n" +
                                                       rt::ToWide(destination.Path()) + L"\\" + name);
            EXPECT_TRUE(test::FoldersBelow(destination.Path()).empty());
            EXPECT_FALSE(test::Exists(start / "TEST_FOL2.TXT"));
        });
    }
    test::RunProgramWith(steps);
    EXPECT_EQ(ui.messageBoxes.size(), names.size());
}

TEST_F(CopyGuardsTest, AFileWhereAFolderMustGoStopsTheRunAndKeepsTheUndo) {
    test::TempFolder destination;
    for (const char* folder : {"A\\B", "C"}) test::MakeFolders(source / folder);
    CopyThen(destination.Path(), {
        [&] {
            // The user swaps a made folder for a file, then copies again.
            test::RemoveTree(destination / "A\\B");
            test::WriteBytes(destination / "A\\B", "in the way");
            test::Click(BUTTON7);
        },
        [&] {
            EXPECT_TRUE(test::Enabled(BUTTON9));
            EXPECT_EQ(preexistingMarks[0], 0);
            EXPECT_EQ(test::ReadBytes(destination / "A\\B"), "in the way");
        },
    });
    ASSERT_EQ(ui.messageBoxes.size(), 2u);
    EXPECT_EQ(ui.messageBoxes[1].title, L"コピー先に関するエラー");
    EXPECT_EQ(ui.messageBoxes[1].text, L"コピー先に同じ名前のファイルがあるので処理できません\r\n" +
                                           rt::ToWide(destination / "A\\B"));
    // The log of the run before stays as it was.
    EXPECT_EQ(CopyLog(), test::LogLine(destination / "A") + test::LogLine(destination / "A\\B") +
                             test::LogLine(destination / "C") + "\x1A");
}

TEST_F(CopyGuardsTest, AFileWhereTheParentFolderMustGoStopsTheRun) {
    test::TempFolder destination;
    test::MakeFolders(source / "SRC\\A");
    test::WriteBytes(destination / "SRC", "a file");
    Choose(source / "SRC");
    Choose(destination.Path());
    test::RunProgramWith({
        [] { test::Click(BUTTON5); },
        [] { test::Click(BUTTON6); },
        [] {
            test::Click(CHECK1);
            test::Click(BUTTON7);
        },
        [&] { EXPECT_EQ(test::ReadBytes(destination / "SRC"), "a file"); },
    });
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text, L"コピー先に同じ名前のファイルがあるので処理できません\r\n" +
                                           rt::ToWide(destination / "SRC"));
}

// Windows would make ".." as the destination's own parent, "a." as "a", and
// refuse "..." or "CON" half-way through the run.
TEST_F(CopyGuardsTest, AParentNameWindowsCannotMakeExactlyIsRefusedBeforeAnythingHappens) {
    test::TempFolder outer;
    const std::string destination = outer / "dest";
    test::MakeFolders(destination);
    test::MakeFolders(source / "SRC\\A");
    Choose(source / "SRC");
    Choose(destination);
    const std::vector<std::string> names{"..", "...", "   ", "CON", "a.", "lpt1.txt", "b "};
    std::vector<std::function<void()>> steps{
        [] { test::Click(BUTTON5); },
        [] {
            test::Click(BUTTON6);
            test::Click(CHECK1);
        },
    };
    for (const std::string& name : names) {
        steps.push_back([name] {
            shell::SetCaption(EDIT1, name);
            test::Click(BUTTON7);
        });
        steps.push_back([&, name] {
            EXPECT_EQ(shell::ReadText(EDIT1), name);
            EXPECT_EQ(test::FoldersBelow(outer.Path()), (std::vector<std::string>{"dest"}));
            EXPECT_FALSE(test::Exists(start / "TEST_FOL2.TXT"));
            EXPECT_FALSE(test::Enabled(BUTTON9));
        });
    }
    test::RunProgramWith(steps);
    ASSERT_EQ(ui.messageBoxes.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(ui.messageBoxes[i].title, L"コピー先に関するエラー");
        EXPECT_EQ(ui.messageBoxes[i].text,
                  L"親フォルダーの名前がフォルダー名として使えないので処理できません\r\n" + rt::ToWide(names[i]));
    }
}

// The user can type characters that have no code page 932 form; they read as
// "?", which the correction turns into "？" in plain view in EDIT1.
TEST_F(CopyGuardsTest, AParentNameTypedWithoutACodePage932FormIsKeptExactlyAndCorrected) {
    test::TempFolder destination;
    test::MakeFolders(source / "SRC\\A");
    Choose(source / "SRC");
    Choose(destination.Path());
    test::RunProgramWith({
        [] { test::Click(BUTTON5); },
        [] {
            test::Click(BUTTON6);
            test::Click(CHECK1);
        },
        [] {
            SetWindowTextW(EDIT1.window, L"caf\u00E9:\u301C");
            test::Click(BUTTON7);
        },
        [&] {
            EXPECT_EQ(test::WindowText(EDIT1.window), L"caf\u00E9：\u301C");
            EXPECT_EQ(test::FoldersBelowWide(destination.Path()),
                      (std::vector<std::wstring>{L"caf\u00E9：\u301C", L"caf\u00E9：\u301C\\A"}));
        },
    });
}
