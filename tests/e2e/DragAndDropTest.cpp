#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/system/Cp932.h"
#include "support/ChildProgram.h"
#include "support/TempFolder.h"
#include "support/UserAtTheWindow.h"

// Folders dragged onto the window from another X client, as from a file
// manager: the tests' own drag source (xdnd-drop.py, beside this program, on
// python3-xlib, the pointer moved with xdotool) speaks XDND to the X window
// under the point, and Wine's X11 driver turns the drop into WM_DROPFILES to
// the window there that accepts files. Nothing is posted to the program.
using namespace e2e;

namespace {

std::wstring Wide(const std::string& text) { return rt::ToWide(text); }

// The Unix path of a Windows one; "" outside Wine.
std::string UnixPath(const std::wstring& path) {
    using Converter = char* (*)(const wchar_t*);
    const auto convert = reinterpret_cast<Converter>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    if (convert == nullptr) return {};
    char* unix = convert(path.c_str());
    if (unix == nullptr) return {};
    std::string result(unix);
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

std::wstring Quoted(const std::string& utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide.data(), length);
    wide.pop_back();
    return L"\"" + wide + L"\"";
}

constexpr wchar_t kPython[] = L"Z:\\usr\\bin\\python3";
constexpr wchar_t kXlib[] = L"Z:\\usr\\lib\\python3\\dist-packages\\Xlib";
constexpr wchar_t kXdotool[] = L"Z:\\usr\\bin\\xdotool";

std::wstring DragSource() {
    std::wstring program = test::ThisTestProgram();
    return program.substr(0, program.find_last_of(L'\\') + 1) + L"xdnd-drop.py";
}

// Why a drag cannot be made here, or "" when it can.
std::string NoDragBecause() {
    if (UnixPath(L"C:\\").empty()) return "not under Wine";
    for (const wchar_t* needed : {kPython, kXlib, kXdotool}) {
        if (GetFileAttributesW(needed) == INVALID_FILE_ATTRIBUTES) return "no " + rt::ToCp932Shown(needed);
    }
    return {};
}

// The middle of the control on the screen.
POINT Middle(const UserAtTheWindow& user, int id) {
    RECT place{};
    GetWindowRect(user.Control(id), &place);
    return {(place.left + place.right) / 2, (place.top + place.bottom) / 2};
}

class DragAndDropTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string why = NoDragBecause();
        if (!why.empty()) GTEST_SKIP() << "no drag from another X client: " << why;
    }

    // The folders dragged from the drag source and dropped at the point; the
    // source's own account of the drag ("accepted 1 finished 1").
    std::string DragAndDrop(const std::vector<std::string>& paths, POINT at) {
        if (GetFileAttributesW(DragSource().c_str()) == INVALID_FILE_ATTRIBUTES) {
            return "failed: no drag source at " + rt::ToCp932Shown(DragSource());
        }
        const std::string result = scratch / ("drag" + std::to_string(drags_++) + ".txt");
        std::wstring command = L"python3 " + Quoted(UnixPath(DragSource())) + L" " + Quoted(UnixPath(Wide(result))) +
                               L" " + std::to_wstring(at.x) + L" " + std::to_wstring(at.y);
        for (const std::string& path : paths) command += L" " + Quoted(UnixPath(Wide(path)));
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        // A Unix program started from Wine gives no handle to wait on: its
        // account, written last, says when it is done.
        if (!CreateProcessW(kPython, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process)) {
            return "failed: the drag source did not start";
        }
        if (process.hThread != nullptr) CloseHandle(process.hThread);
        if (process.hProcess != nullptr) CloseHandle(process.hProcess);
        std::string account;
        test::WaitUntil([&] {
            account = test::Exists(result) ? test::ReadBytes(result) : "";
            return account.ends_with("\n");
        });
        if (account.ends_with("\n")) account.pop_back();
        return account;
    }

    test::TempFolder start;
    test::TempFolder work;
    test::TempFolder scratch;

private:
    int drags_ = 0;
};

// What the source command leaves on the screen and in the scan log.
struct Scanned {
    std::wstring text6, edit1, text1;
    std::vector<std::wstring> items, selected;
    std::string log;
    bool operator==(const Scanned&) const = default;
};

Scanned ScannedBy(const UserAtTheWindow& user, const test::TempFolder& start) {
    return {user.Text(kText6), user.Text(kEdit1), user.Text(kText1), user.Items(), user.SelectedItems(),
            test::ReadBytes(start / "TEST_FOL.TXT")};
}

}  // namespace

TEST_F(DragAndDropTest, AFolderDroppedOnTheListIsScannedExactlyAsThroughTheDialog) {
    const std::string source = work / "資料";
    for (const char* folder : {"A\\ソ\\表", "B\\C"}) test::MakeFolders(source + "\\" + folder);
    Scanned byDialog;
    {
        UserAtTheWindow user(Wide(start.Path()));
        user.Click(kButton5);
        user.SaveAs(Wide(source + "\\DUMMY"));
        byDialog = ScannedBy(user, start);
    }
    UserAtTheWindow user(Wide(start.Path()));
    EXPECT_EQ(DragAndDrop({source}, Middle(user, kList1)), "accepted 1 finished 1");
    ASSERT_TRUE(user.WaitUntilIdle());
    EXPECT_EQ(user.DialogNow(), nullptr);
    const Scanned byDrop = ScannedBy(user, start);
    EXPECT_EQ(byDrop.text6, Wide(source));
    EXPECT_EQ(byDrop.edit1, L"資料");
    EXPECT_EQ(byDrop.items.size(), 5u);
    EXPECT_TRUE(byDrop == byDialog);
    EXPECT_TRUE(user.Enabled(kButton3));
}

TEST_F(DragAndDropTest, AFolderDroppedOnTheDestinationsTextBecomesTheDestination) {
    const std::string source = work / "SRC";
    const std::string destination = work / "BACKUP";
    test::MakeFolders(source + "\\A");
    test::MakeFolders(destination);
    UserAtTheWindow user(Wide(start.Path()));
    user.Click(kButton5);
    user.SaveAs(Wide(source + "\\DUMMY"));
    EXPECT_FALSE(user.Enabled(kButton7));
    EXPECT_EQ(DragAndDrop({destination}, Middle(user, kText7)), "accepted 1 finished 1");
    ASSERT_TRUE(user.WaitUntilIdle());
    EXPECT_EQ(user.Text(kText7), Wide(destination + "\\"));
    EXPECT_EQ(user.Text(kText6), Wide(source));
    EXPECT_TRUE(user.Enabled(kButton7));
}

TEST_F(DragAndDropTest, AFileOrTwoFoldersGiveTheNoticeAndChangeNothing) {
    const std::string source = work / "SRC";
    test::MakeFolders(source + "\\A");
    test::MakeFolders(work / "OTHER");
    test::WriteBytes(work / "note.txt", "x");
    UserAtTheWindow user(Wide(start.Path()));
    user.Click(kButton5);
    user.SaveAs(Wide(source + "\\DUMMY"));
    const Scanned before = ScannedBy(user, start);

    struct Row {
        std::vector<std::string> dropped;
        std::wstring notice;
    };
    const Row rows[] = {
        {{work / "note.txt"},
         L"ドロップに関するお知らせ|ファイルではなくフォルダーをドロップしてください\r\n" + Wide(work / "note.txt")},
        {{work / "OTHER", source}, L"ドロップに関するお知らせ|フォルダーを一つだけドロップしてください"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(rt::ToCp932Shown(row.notice));
        EXPECT_EQ(DragAndDrop(row.dropped, Middle(user, kList1)), "accepted 1 finished 1");
        ASSERT_NE(user.WaitForDialog(), nullptr);
        EXPECT_EQ(user.ReadAndCloseMessage(), row.notice);
        ASSERT_TRUE(user.WaitUntilIdle());
        EXPECT_TRUE(ScannedBy(user, start) == before);
    }
}

TEST_F(DragAndDropTest, AFolderDroppedDuringALongScanIsScannedAfterIt) {
    const std::string later = work / "LATER";
    test::MakeFolders(later + "\\X");
    UserAtTheWindow user(Wide(start.Path()));
    user.Click(kButton5);
    // C:\soratn2-chains: 30,000 folders in 600 chains, a scan of seconds.
    user.Save(L"C:\\soratn2-chains\\DUMMY");
    ASSERT_EQ(user.BusyAnswer(), 1);
    EXPECT_EQ(DragAndDrop({later}, Middle(user, kList1)), "accepted 1 finished 1");
    ASSERT_TRUE(user.WaitUntilIdle());
    EXPECT_EQ(user.Text(kText6), Wide(later));
    EXPECT_EQ(user.Items(), std::vector<std::wstring>{L"X"});
    const std::string log = test::ReadBytes(start / "TEST_FOL.TXT");
    EXPECT_TRUE(log == "(" + std::to_string(later.size() + 1) + ") " + later + "\\\r\n(" +
                           std::to_string(later.size() + 2) + ") " + later + "\\X\r\n\x1A")
        << log.size() << " bytes";
}
