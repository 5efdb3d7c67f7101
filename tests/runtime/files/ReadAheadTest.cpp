#include "runtime/files/ReadAhead.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "runtime/files/DirectorySearch.h"
#include "runtime/files/Run.h"
#include "runtime/run/Pool.h"
#include "runtime/system/Cp932.h"
#include "support/TempFolder.h"
#include "support/Threads.h"

namespace {

class ReadAheadTest : public ::testing::Test {
protected:
    // The subfolders of `folder` as the search reads them, "." and ".." left out.
    static std::vector<std::string> Subfolders(const std::string& folder) {
        std::vector<std::string> names;
        rt::SearchOpen(folder + "\\*.*", 1);
        for (rt::SearchNext(1); !rt::SearchAtEnd(1); rt::SearchNext(1)) {
            const std::string name = rt::SearchField(1, rt::kFieldName);
            if (rt::SearchField(1, rt::kFieldAttributes)[0] == 'D' && name != "." && name != "..") {
                names.push_back(name);
            }
        }
        rt::SearchClose(1);
        return names;
    }

    // The table of a walk: `names` below the temporary folder.
    rt::Array<std::string> Table(const std::vector<std::string>& names) {
        rt::Array<std::string> table(static_cast<long double>(names.size()));
        for (std::size_t i = 0; i < names.size(); ++i) table[static_cast<long double>(i)] = names[i];
        return table;
    }

    void Ask(const rt::Array<std::string>& table, int end) {
        rt::TheRun().readAhead.Ask(table, 0, end, temp.Path() + "\\", "\\*.*");
    }

    test::TempFolder temp;
};

}  // namespace

// The names as the walk reads them: the same whether a worker listed the
// folder or the search itself, lent characters and exact-name check included.
TEST_F(ReadAheadTest, AFolderListedAheadReadsAsTheSearchReadsIt) {
    const std::vector<std::string> folders{"A", "ソ表", "Data.old"};
    for (const std::string& folder : folders) {
        for (const char* child : {"x", "能", "y.z"}) test::MakeFolders(temp / (folder + "\\" + child));
    }
    CreateDirectoryW(rt::ToWide(temp / "A\\").append(L"caf\u00e9").c_str(), nullptr);
    std::map<std::string, std::vector<std::string>> bySearch;
    for (const std::string& folder : folders) bySearch[folder] = Subfolders(temp / folder);

    const rt::Array<std::string> table = Table(folders);
    Ask(table, 3);
    for (const std::string& folder : folders) EXPECT_EQ(Subfolders(temp / folder), bySearch[folder]) << folder;
    EXPECT_EQ(bySearch["A"].size(), 4u);
}

// A folder taken away while the walk goes on: a listing made before reads in
// full, one made after reads as nothing; never part of one, never an error.
TEST_F(ReadAheadTest, AFolderTakenAwayWhileListedAheadGivesItsListingOrNone) {
    const std::vector<std::string> children{"c1", "c2", "c3", "c4", "c5", "c6"};
    for (int round = 0; round < 20; ++round) {
        std::vector<std::string> folders;
        for (int i = 0; i < 8; ++i) {
            folders.push_back("r" + std::to_string(round) + "f" + std::to_string(i));
            for (const std::string& child : children) test::MakeFolders(temp / (folders.back() + "\\" + child));
        }
        const rt::Array<std::string> table = Table(folders);
        Ask(table, 8);
        // Moved away whole, or taken apart from the bottom up.
        for (int i = 1; i < 8; i += 2) {
            if (round % 2 == 0) {
                MoveFileW(rt::ToWide(temp / folders[i]).c_str(), rt::ToWide(temp / ("gone" + folders[i])).c_str());
            } else {
                test::RemoveTree(temp / folders[i]);
            }
        }
        for (int i = 0; i < 8; ++i) {
            const std::vector<std::string> found = Subfolders(temp / folders[i]);
            if (i % 2 == 0 || (round % 2 == 0 && !found.empty())) {
                EXPECT_EQ(found, children) << folders[i];
            }
            for (const std::string& name : found) EXPECT_NE(std::find(children.begin(), children.end(), name), children.end());
        }
        rt::TheRun().readAhead.Stop();
    }
}

TEST_F(ReadAheadTest, TheThreadsEndWithThePoolAndNoneIsLeftBehind) {
    std::vector<std::string> folders;
    for (int i = 0; i < 100; ++i) {
        folders.push_back("f" + std::to_string(i));
        test::MakeFolders(temp / (folders.back() + "\\sub"));
    }
    const int before = test::ThreadsOfThisProcess();
    const rt::Array<std::string> table = Table(folders);
    Ask(table, 100);
    EXPECT_EQ(test::ThreadsOfThisProcess(), before + rt::DefaultAheadThreads());
    rt::TheRun().readAhead.Stop();
    rt::ThePool().End();
    EXPECT_EQ(test::ThreadsOfThisProcess(), before);
    // And the next walk starts workers afresh.
    Ask(table, 100);
    EXPECT_EQ(Subfolders(temp / "f0"), std::vector<std::string>{"sub"});
    rt::TheRun().readAhead.Stop();
    rt::ThePool().End();
    EXPECT_EQ(test::ThreadsOfThisProcess(), before);
}

TEST_F(ReadAheadTest, SwitchedOffTheWalkListsEveryFolderOnItsOwnThread) {
    test::MakeFolders(temp / "A\\sub");
    const int before = test::ThreadsOfThisProcess();
    const long long taken = rt::TheRun().readAhead.Taken();
    rt::ThePool().SetAheadThreads(0);
    const rt::Array<std::string> table = Table({"A"});
    Ask(table, 1);
    EXPECT_EQ(test::ThreadsOfThisProcess(), before);
    EXPECT_EQ(Subfolders(temp / "A"), std::vector<std::string>{"sub"});
    EXPECT_EQ(rt::TheRun().readAhead.Taken(), taken);
}

// The walk comes to a folder sooner than its turn among those asked for: its
// listing moves to the front of the pool's queue and is taken, not made again.
TEST_F(ReadAheadTest, AFolderNeededBeforeItsTurnIsTakenFromThoseAskedFor) {
    std::vector<std::string> folders;
    for (int i = 0; i < 40; ++i) {
        folders.push_back("f" + std::to_string(i));
        test::MakeFolders(temp / (folders.back() + "\\sub" + std::to_string(i)));
    }
    rt::ThePool().SetAheadThreads(1);
    const rt::Array<std::string> table = Table(folders);
    Ask(table, 40);
    const long long taken = rt::TheRun().readAhead.Taken();
    EXPECT_EQ(Subfolders(temp / "f39"), std::vector<std::string>{"sub39"});
    EXPECT_EQ(rt::TheRun().readAhead.Taken(), taken + 1);
}
