#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "program/Program.h"
#include "runtime/files/Run.h"
#include "runtime/run/Pool.h"
#include "runtime/system/Cp932.h"
#include "shell/Controls.h"
#include "support/ProgramDriver.h"
#include "support/ProgramRun.h"
#include "support/ProgramTest.h"
#include "support/TempFolder.h"
#include "support/Threads.h"

using namespace program;

namespace {

// What a scan leaves for the user and in its log.
struct ScanSeen {
    std::vector<std::string> table;
    std::vector<test::Item> list;
    std::string counter;
    std::string log;
    std::vector<std::wstring> messages;
    int threadsLeft = 0;  // by the walk, once the run has ended
    bool operator==(const ScanSeen&) const = default;
};

class WalkAheadTest : public test::ProgramTest {
protected:
    // One run that scans `folder`, the walk listing ahead with `threads`
    // workers (0: none). How many listings it took from those asked for
    // ahead is left in `taken`.
    ScanSeen Scan(const std::string& folder, int threads) {
        ui.messageBoxes.clear();
        Choose(folder);
        ScanSeen seen;
        const int threadsBefore = test::ThreadsOfThisProcess();
        test::RunProgramWith({
            [&] {
                rt::ThePool().SetAheadThreads(threads);
                test::Click(BUTTON5);
            },
            [&] {
                taken = rt::TheRun().readAhead.Taken();
                for (int i = 0; i < folderCount; ++i) seen.table.push_back(folderNames[i]);
                seen.list = test::ListItems();
                seen.counter = shell::ReadText(TEXT1);
            },
        });
        seen.threadsLeft = test::ThreadsOfThisProcess() - threadsBefore;
        seen.log = ScanLog();
        for (const rt::MessageBoxRequest& box : ui.messageBoxes) seen.messages.push_back(box.title + L"|" + box.text);
        // The scan made the source the current folder.
        rt::ChangeFolder(start.Path());
        return seen;
    }

    long long taken = 0;
};

void MakeTree(const std::string& root) {
    const std::vector<std::string> names{"A", "ソ表", "Data.old", "能", "z"};
    for (const std::string& a : names) {
        for (const std::string& b : names) {
            for (const std::string& c : names) test::MakeFolders(root + "\\" + a + "\\" + b + "\\" + c);
        }
    }
    // Names without a code page 932 form, whose lent places are given out in
    // the order the walk reads them.
    for (const char* a : {"A", "能\\z"}) {
        const std::wstring folder = rt::ToWide(root + "\\" + std::string(a) + "\\");
        CreateDirectoryW((folder + L"caf\u00e9").c_str(), nullptr);
        CreateDirectoryW((folder + L"caf\u00e9\\\u301c").c_str(), nullptr);
        CreateDirectoryW((folder + L"\ud55c").c_str(), nullptr);
    }
    test::WriteBytes(root + "\\A\\file.txt", "x");
}

}  // namespace

TEST_F(WalkAheadTest, AScanOfTheLimitTreeIsTheSameWithoutListingAhead) {
    const std::string big = "C:\\soratn2-limit";
    if (!test::Exists(big)) GTEST_SKIP() << "no tree of more than 32767 folders";
    const ScanSeen alone = Scan(big, 0);
    ASSERT_EQ(alone.table.size(), 32767u);
    ASSERT_EQ(alone.messages.size(), 1u);
    ASSERT_EQ(alone.threadsLeft, 0);
    EXPECT_EQ(Scan(big, rt::kMostAheadThreads), alone);
}

TEST_F(WalkAheadTest, AScanOfATreeWithLentNamesIsTheSameWithoutListingAhead) {
    const std::string tree = source / "TREE";
    MakeTree(tree);
    const ScanSeen alone = Scan(tree, 0);
    ASSERT_EQ(alone.list.size(), 5u + 25 + 125 + 6);
    EXPECT_EQ(Scan(tree, rt::kMostAheadThreads), alone);
    EXPECT_EQ(Scan(tree, 1), alone);
}

// The walk gains from the workers at all: of the listings it took, some were
// made ahead of it. Switched off, none is.
TEST_F(WalkAheadTest, TheWalkTakesListingsFromTheWorkers) {
    const std::string tree = source / "TREE";
    MakeTree(tree);
    Scan(tree, 0);
    EXPECT_EQ(taken, 0);
    Scan(tree, rt::kMostAheadThreads);
    EXPECT_GT(taken, 0);
}

// Folders moved out of the tree while the walk lists ahead of it: each one
// is listed whole or not at all, and nothing is reported.
TEST_F(WalkAheadTest, FoldersTakenAwayDuringTheScanGiveTheirListingOrNone) {
    const std::string tree = source / "TREE";
    std::set<std::string> everything;
    for (int i = 0; i < 60; ++i) {
        const std::string top = "t" + std::to_string(i);
        everything.insert(top);
        for (const char* child : {"a", "b", "c", "d"}) {
            everything.insert(top + "\\" + child);
            everything.insert(top + "\\" + child + "\\x");
            test::MakeFolders(tree + "\\" + top + "\\" + child + "\\x");
        }
    }
    Choose(tree);
    std::thread mover;
    test::RunProgramWith({
        [&] {
            mover = std::thread([&] {
                for (int i = 59; i >= 0; i -= 3) {
                    const std::string top = "\\t" + std::to_string(i);
                    MoveFileW(rt::ToWide(tree + top).c_str(), rt::ToWide(source / ("gone" + top)).c_str());
                    Sleep(1);
                }
            });
            test::Click(BUTTON5);
        },
        [&] {
            mover.join();
            const std::vector<test::Item> table = test::Table();
            std::set<std::string> found;
            for (const test::Item& item : table) found.insert(item.text);
            for (const std::string& entry : found) {
                ASSERT_TRUE(everything.contains(entry)) << entry;
                const std::size_t cut = entry.find_last_of('\\');
                if (cut != std::string::npos) {
                    EXPECT_TRUE(found.contains(entry.substr(0, cut))) << entry;
                }
            }
            // A folder's subfolders come all or none.
            for (const std::string& entry : found) {
                if (entry.find('\\') != std::string::npos) continue;
                const int children = static_cast<int>(std::count_if(found.begin(), found.end(), [&](const std::string& other) {
                    return other.starts_with(entry + "\\") && other.find('\\', entry.size() + 1) == std::string::npos;
                }));
                EXPECT_TRUE(children == 0 || children == 4) << entry << " " << children;
            }
        },
    });
    rt::ChangeFolder(start.Path());
    EXPECT_TRUE(ui.messageBoxes.empty());
}
