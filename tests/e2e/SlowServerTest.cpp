#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "runtime/system/Cp932.h"
#include "support/TempFolder.h"
#include "support/UserAtTheWindow.h"

using namespace e2e;

namespace {

// The test file system whose listings and folder makings wait as the names
// in it say (tools/slow-fs.py), or why there is none. Only the mounted file
// system holds its mark: the folder it is mounted on stays behind without it.
struct SlowFs {
    std::string root;
    std::string missing;
};

SlowFs SlowFileSystem() {
    const char* root = std::getenv("SORATN2_SLOW_FS");
    if (root == nullptr) return {"", "SORATN2_SLOW_FS is not set (tools/wine-env.sh run sets it)"};
    if (!test::Exists(std::string(root) + "\\this-is-the-slow-file-system")) {
        return {"", std::string("the slow file system is not mounted at ") + root +
                        " (tools/wine-env.sh setup or services mounts it)"};
    }
    return {root, ""};
}

// A second program's view of the window while a command runs: every look
// asks whether the window answers within half a second, then reads a counter.
struct Watched {
    int looks = 0;
    int unanswered = 0;
    // Each text the counter showed, with when it began to show it.
    std::vector<std::pair<ULONGLONG, std::wstring>> shown;

    // The counter's stretch without a change, longest first: the wait.
    std::size_t LongestStill(ULONGLONG end) const {
        std::size_t longest = 0;
        ULONGLONG longestTime = 0;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const ULONGLONG until = i + 1 < shown.size() ? shown[i + 1].first : end;
            if (until - shown[i].first > longestTime) {
                longestTime = until - shown[i].first;
                longest = i;
            }
        }
        return longest;
    }
};

std::wstring TextWithin(HWND control, DWORD milliseconds) {
    wchar_t text[64] = {};
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, milliseconds,
                             &length)) {
        return L"?";
    }
    return text;
}

template <class Done>
Watched Watch(const UserAtTheWindow& user, int counter, Done done, ULONGLONG& end) {
    Watched watched;
    const ULONGLONG giveUp = GetTickCount64() + test::kPatienceMilliseconds;
    while (!done() && GetTickCount64() < giveUp) {
        DWORD_PTR answer = 0;
        ++watched.looks;
        if (!SendMessageTimeoutW(user.Window(), WM_NULL, 0, 0, SMTO_NORMAL, 500, &answer)) ++watched.unanswered;
        const std::wstring text = TextWithin(user.Control(counter), 500);
        if (watched.shown.empty() || watched.shown.back().second != text) {
            watched.shown.emplace_back(GetTickCount64(), text);
        }
        Sleep(20);
    }
    end = GetTickCount64();
    return watched;
}

// The window answered every look, the counter stood still for the wait and
// moved on the screen both before it and after it.
void ExpectAnsweredAndMoving(const Watched& watched, ULONGLONG end) {
    EXPECT_EQ(watched.unanswered, 0) << "of " << watched.looks << " looks";
    ASSERT_FALSE(watched.shown.empty());
    const std::size_t still = watched.LongestStill(end);
    const ULONGLONG stillFor =
        (still + 1 < watched.shown.size() ? watched.shown[still + 1].first : end) - watched.shown[still].first;
    EXPECT_GE(stillFor, 6000u) << "no wait seen";
    std::set<std::wstring> before;
    for (std::size_t i = 0; i < still; ++i) {
        if (!watched.shown[i].second.empty()) before.insert(watched.shown[i].second);
    }
    EXPECT_GE(before.size(), 1u) << "the counter did not move before the wait";
    EXPECT_GE(watched.shown.size() - still - 1, 2u) << "the counter did not move after the wait";
}

// The scan log gets its end mark when the scan is over.
bool ScanEnded(const std::string& log) {
    const std::string bytes = test::Exists(log) ? test::ReadBytes(log) : "";
    return !bytes.empty() && bytes.back() == '\x1A';
}

std::vector<std::wstring> Sorted(std::vector<std::wstring> texts) {
    std::sort(texts.begin(), texts.end());
    return texts;
}

std::vector<std::wstring> FoldersBelow(const std::string& folder) { return Sorted(test::FoldersBelowWide(folder)); }

bool ProcessIsThere(DWORD id) {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W process{};
    process.dwSize = sizeof process;
    bool there = false;
    for (BOOL more = Process32FirstW(snapshot, &process); more; more = Process32NextW(snapshot, &process)) {
        there = there || process.th32ProcessID == id;
    }
    CloseHandle(snapshot);
    return there;
}

class SlowServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        const SlowFs slowFs = SlowFileSystem();
        if (slowFs.root.empty()) GTEST_SKIP() << slowFs.missing;
        root = slowFs.root;
    }

    // The user scans `tree` and watches the count of folders found; the list
    // at the end holds every folder of the tree, as without the wait.
    void ScanWatched(const std::string& tree) {
        ASSERT_TRUE(test::Exists(tree)) << "the slow file system has no " << tree;
        UserAtTheWindow user(rt::ToWide(start.Path()));
        user.Click(kButton5);
        user.Save(rt::ToWide(tree + "\\DUMMY"));
        ULONGLONG end = 0;
        const Watched watched = Watch(user, kText1, [&] { return ScanEnded(start / "TEST_FOL.TXT"); }, end);
        ExpectAnsweredAndMoving(watched, end);
        ASSERT_TRUE(user.WaitUntilIdle());
        EXPECT_EQ(Sorted(user.Items()), FoldersBelow(tree));
        PostMessageW(user.Window(), WM_CLOSE, 0, 0);
        EXPECT_EQ(user.WaitForExit(), 0u);
    }

    // The user scans `tree`, presses Ctrl+C once the walk waits for the
    // system, and sees the report at once; then the program is gone.
    void StopWhileTheListingWaits(const std::string& tree) {
        ASSERT_TRUE(test::Exists(tree)) << "the slow file system has no " << tree;
        UserAtTheWindow user(rt::ToWide(start.Path()));
        user.Click(kButton5);
        user.Save(rt::ToWide(tree + "\\DUMMY"));
        // The walk has found a, d, a\b and the slow folder, and waits for it.
        ASSERT_TRUE(test::WaitUntil([&] { return TextWithin(user.Control(kText1), 500) == L" 4"; }));
        StopDuringTheWait(user);
    }

    // A folder of its own on the test file system where the first write
    // past a file's first 16 KB waits 8 s: a start-up folder or an export
    // folder on a server that is slow to take one write.
    std::string SlowWriteFolder() const {
        const std::string folder = root + "\\write-" + std::to_string(GetCurrentProcessId()) + "-" +
                                   std::to_string(GetTickCount64()) + "\\write-after-8s";
        test::MakeFolders(folder);
        return folder;
    }

    // Ctrl+C once the program has waited a second for the system: the report
    // comes at once, and once it is closed the program is gone at once.
    static void StopDuringTheWait(UserAtTheWindow& user) {
        Sleep(1000);
        ASSERT_EQ(user.DialogNow(), nullptr);
        const ULONGLONG pressed = GetTickCount64();
        user.HoldCtrlC(true);
        const bool reported = test::WaitUntil([&] { return user.DialogNow() != nullptr; }, 5);
        const ULONGLONG reportAfter = GetTickCount64() - pressed;
        user.HoldCtrlC(false);
        ASSERT_TRUE(reported);
        EXPECT_LT(reportAfter, 1000u);
        const std::wstring report = user.ReadAndCloseMessage();
        EXPECT_EQ(report.rfind(L"SORATN2.EXE|\r\n中断しました SORATN2[", 0), 0u) << report;
        const ULONGLONG closed = GetTickCount64();
        const DWORD id = GetProcessId(user.Process());
        EXPECT_EQ(user.WaitForExit(), 0u);
        EXPECT_LT(GetTickCount64() - closed, 1000u);
        EXPECT_FALSE(ProcessIsThere(id));
    }

    std::string root;
    test::TempFolder start;
};

// 40 chains of `length` folders below `folder`: each listing of the walk but
// the last level's finds one more, so the count of folders found moves from
// the first listing to nearly the last; the folders found.
int MakeChains(const std::string& folder, int length) {
    std::string chain;
    for (int i = 0; i < length; ++i) chain += "\\x";
    for (int i = 0; i < 40; ++i) test::MakeFolders(folder + "\\c" + std::to_string(10 + i) + chain);
    return 40 * (length + 1);
}

// Lines of a log or list file, each ending in CR LF, and its end mark.
struct LinesAndMark {
    std::size_t lines = 0;
    bool whole = false;
};

LinesAndMark LinesOf(const std::string& bytes) {
    LinesAndMark read;
    read.lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    read.whole = bytes.size() >= 3 && bytes.substr(bytes.size() - 3) == "\r\n\x1A" &&
                 static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\r')) == read.lines;
    return read;
}

}  // namespace

// The walk lists every folder of a chain itself; one of them answers after
// 8 s, and meanwhile the window answers and is painted.
TEST_F(SlowServerTest, AFolderThatListsAfter8SecondsKeepsTheWindowAnswering) {
    ScanWatched(root + "\\chain");
}

// The same wait where a worker lists the folder ahead of the walk.
TEST_F(SlowServerTest, AFolderListedAheadThatAnswersAfter8SecondsKeepsTheWindowAnswering) {
    ScanWatched(root + "\\wide");
}

// A copy whose one folder takes 8 s to make: the window answers, the count
// of folders made moves before and after, and the copy is as without the wait.
TEST_F(SlowServerTest, AFolderMadeAfter8SecondsKeepsTheWindowAnswering) {
    test::TempFolder work;
    std::vector<std::wstring> expected;
    for (int i = 0; i < 300; ++i) {
        for (const char* side : {"a", "z"}) {
            const std::string name = side + std::to_string(1000 + i);
            test::MakeFolders(work / ("SRC\\" + name));
            expected.push_back(rt::ToWide(name));
        }
    }
    test::MakeFolders(work / "SRC\\m\\make-after-8s");
    expected.insert(expected.end(), {L"m", L"m\\make-after-8s"});
    const std::string destination = root + "\\copy-" + std::to_string(GetCurrentProcessId()) + "-" +
                                    std::to_string(GetTickCount64());
    test::MakeFolders(destination);

    UserAtTheWindow user(rt::ToWide(start.Path()));
    user.Click(kButton5);
    user.SaveAs(rt::ToWide(work / "SRC\\DUMMY"));
    user.Click(kButton6);
    user.SaveAs(rt::ToWide(destination + "\\DUMMY"));
    user.Press(kButton7);
    ULONGLONG end = 0;
    const Watched watched = Watch(user, kText3, [&] { return user.DialogNow() != nullptr; }, end);
    ExpectAnsweredAndMoving(watched, end);
    EXPECT_EQ(user.ReadAndCloseMessage(), L"作業終了のお知らせ|フォルダーのコピーを終了しました。");
    EXPECT_EQ(FoldersBelow(destination), Sorted(expected));
    EXPECT_EQ(user.Text(kText3), L" 602");
    PostMessageW(user.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(user.WaitForExit(), 0u);
    test::RemoveTree(destination);
}

TEST_F(SlowServerTest, CtrlCWhileAListingWaitsReportsAtOnceAndTheProgramEnds) {
    StopWhileTheListingWaits(root + "\\late");
}

// A share that never answers: Ctrl+C still ends the program.
TEST_F(SlowServerTest, CtrlCWhileAListingNeverAnswersReportsAtOnceAndTheProgramEnds) {
    StopWhileTheListingWaits(root + "\\never");
}

// Started from a share, as a portable tool often is: the scan log goes to the
// start-up folder, and one write of it takes 8 s. The window answers, the
// count moves before and after, and the log is whole.
TEST_F(SlowServerTest, AScanLogWriteThatTakes8SecondsKeepsTheWindowAnswering) {
    test::TempFolder work;
    const int folders = MakeChains(work / "SRC", 24);
    const std::string startFolder = SlowWriteFolder();
    UserAtTheWindow user(rt::ToWide(startFolder));
    user.Click(kButton5);
    user.Save(rt::ToWide(work / "SRC\\DUMMY"));
    ULONGLONG end = 0;
    const Watched watched = Watch(user, kText1, [&] { return ScanEnded(startFolder + "\\TEST_FOL.TXT"); }, end);
    ExpectAnsweredAndMoving(watched, end);
    ASSERT_TRUE(user.WaitUntilIdle());
    EXPECT_EQ(user.Text(kText1), L" " + std::to_wstring(folders));
    const LinesAndMark log = LinesOf(test::ReadBytes(startFolder + "\\TEST_FOL.TXT"));
    EXPECT_EQ(log.lines, static_cast<std::size_t>(folders) + 1);
    EXPECT_TRUE(log.whole);
    PostMessageW(user.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(user.WaitForExit(), 0u);
}

// The list exported to such a folder: the window answers throughout and
// the file is whole.
TEST_F(SlowServerTest, AnExportWhoseWriteTakes8SecondsKeepsTheWindowAnswering) {
    test::TempFolder work;
    const int folders = MakeChains(work / "SRC", 24);
    const std::string out = SlowWriteFolder();
    UserAtTheWindow user(rt::ToWide(start.Path()));
    user.Click(kButton5);
    user.SaveAs(rt::ToWide(work / "SRC\\DUMMY"));
    user.Click(kButton8);
    user.Save(rt::ToWide(out + "\\list"));
    ULONGLONG end = 0;
    const ULONGLONG started = GetTickCount64();
    const Watched watched = Watch(user, kText1, [&] { return ScanEnded(out + "\\list.TXT"); }, end);
    EXPECT_EQ(watched.unanswered, 0) << "of " << watched.looks << " looks";
    EXPECT_GE(end - started, 6000u) << "no wait seen";
    ASSERT_TRUE(user.WaitUntilIdle());
    const LinesAndMark list = LinesOf(test::ReadBytes(out + "\\list.TXT"));
    EXPECT_EQ(list.lines, static_cast<std::size_t>(folders));
    EXPECT_TRUE(list.whole);
    PostMessageW(user.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(user.WaitForExit(), 0u);
}

// Ctrl+C while the scan log's write waits: the report within 1 s, and the
// program ends within 1 s of it.
TEST_F(SlowServerTest, CtrlCWhileAScanLogWriteWaitsReportsAtOnceAndTheProgramEnds) {
    test::TempFolder work;
    MakeChains(work / "SRC", 24);
    UserAtTheWindow user(rt::ToWide(SlowWriteFolder()));
    user.Click(kButton5);
    user.Save(rt::ToWide(work / "SRC\\DUMMY"));
    StopDuringTheWait(user);
}
