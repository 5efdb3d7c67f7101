#include "runtime/dialogs/FileDialog.h"

#include <windows.h>

#include <commdlg.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cwctype>
#include <optional>
#include <stdexcept>
#include <stop_token>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "runtime/dialogs/ModalUi.h"
#include "runtime/lang/SplitPath.h"
#include "runtime/system/Cp932.h"
#include "support/ErrorOf.h"
#include "support/ScriptedModalUi.h"
#include "support/TempFolder.h"

using test::ErrorOf;

namespace {

using Types = std::vector<std::pair<std::wstring, std::wstring>>;

// The types of a filter list (description, pattern), or nothing when the list
// is not closed by an empty description.
std::optional<Types> TypesOf(const std::wstring& list) {
    Types types;
    std::size_t at = 0;
    const auto next = [&]() -> std::optional<std::wstring> {
        const std::size_t end = list.find(L'\0', at);
        if (end == std::wstring::npos) return std::nullopt;
        std::wstring part = list.substr(at, end - at);
        at = end + 1;
        return part;
    };
    for (;;) {
        const std::optional<std::wstring> description = next();
        if (!description) return std::nullopt;
        if (description->empty()) return at == list.size() ? std::optional(types) : std::nullopt;
        const std::optional<std::wstring> pattern = next();
        if (!pattern) return std::nullopt;
        types.emplace_back(*description, *pattern);
    }
}

std::wstring CurrentDirectory() {
    wchar_t folder[MAX_PATH + 1];
    GetCurrentDirectoryW(MAX_PATH + 1, folder);
    return folder;
}

// Runs each test with the scripted user, in a fresh current directory.
class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedDirectory_ = CurrentDirectory();
        ASSERT_TRUE(SetCurrentDirectoryW(TestDirectory().c_str()));
    }

    void TearDown() override {
        EXPECT_TRUE(ui.messageBoxes.empty()) << "the file dialog showed a message box";
        SetCurrentDirectoryW(savedDirectory_.c_str());
    }

    std::wstring TestDirectory() const { return rt::ToWide(temp_.Path()); }

    // The request the dialog makes, answered with cancel.
    const rt::SaveDialogRequest& RequestFor(std::string_view defaultName, std::string_view filterText = "",
                                            long double mode = 1) {
        const std::size_t before = ui.saveDialogs.size();
        rt::ShowFileDialog(nullptr, "T", defaultName, filterText, mode);
        EXPECT_EQ(ui.saveDialogs.size(), before + 1);
        return ui.saveDialogs.back();
    }

    // The error of a dialog call, which must be raised before the dialog shows.
    int ErrorOfDialog(std::string_view title, std::string_view defaultName, std::string_view filterText,
                      long double mode) {
        const std::size_t before = ui.saveDialogs.size();
        const int error = ErrorOf([&] { rt::ShowFileDialog(nullptr, title, defaultName, filterText, mode); });
        if (error != 0) {
            EXPECT_EQ(ui.saveDialogs.size(), before);
        }
        return error;
    }

    test::ScriptedModalUi ui;

private:
    test::TempFolder temp_;
    std::wstring savedDirectory_;
};

// Presses Cancel in the dialog that a thread shows, as the user would. If no
// dialog shows up in time, ends the thread's modal loop instead, so that the
// test fails rather than waits forever.
class DialogCanceller {
public:
    explicit DialogCanceller(DWORD thread)
        : thread_(thread), worker_([this](std::stop_token stop) { Run(stop); }) {}

    // Waits for the helper; true when it found a dialog to cancel.
    bool Finish() {
        worker_.request_stop();
        worker_.join();
        MSG quit;
        PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        return cancelled_;
    }

private:
    static BOOL CALLBACK CheckWindow(HWND window, LPARAM found) {
        wchar_t name[16];
        const bool isDialog = GetClassNameW(window, name, 16) > 0 && std::wstring_view(name) == L"#32770";
        if (!isDialog || !IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }

    void Run(std::stop_token stop) {
        const ULONGLONG deadline = GetTickCount64() + 20000;
        while (!stop.stop_requested()) {
            if (GetTickCount64() > deadline) {
                PostThreadMessageW(thread_, WM_QUIT, 0, 0);
                return;
            }
            HWND dialog = nullptr;
            EnumThreadWindows(thread_, CheckWindow, reinterpret_cast<LPARAM>(&dialog));
            if (dialog != nullptr) {
                PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                cancelled_ = true;
            }
            Sleep(100);
        }
    }

    DWORD thread_;
    std::atomic<bool> cancelled_{false};
    std::jthread worker_;
};

constexpr DWORD kAlwaysFlags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;

// A file of the Linux host under Wine, read whole; nothing where it cannot
// be read (Windows itself, a process gone meanwhile).
std::optional<std::string> HostFile(const std::string& path) {
    try {
        return test::ReadBytes(path);
    } catch (const std::runtime_error&) {
        return std::nullopt;
    }
}

// This process as the host knows it: Wine's server opens every file, so the
// host's /proc/self is the server's; the process is the one in this prefix
// started as this program.
std::optional<std::string> HostProcessFolder() {
    wchar_t module[MAX_PATH];
    const std::wstring_view modulePath(module, GetModuleFileNameW(nullptr, module, MAX_PATH));
    const std::string program = rt::ToCp932Shown(std::wstring(modulePath.substr(modulePath.find_last_of(L'\\') + 1)));
    wchar_t prefix[MAX_PATH];
    if (GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH) == 0) return std::nullopt;
    const std::string prefixEntry = "WINEPREFIX=" + rt::ToCp932Shown(prefix) + '\0';
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<std::string> ours;
    do {
        if (!std::iswdigit(found.cFileName[0])) continue;
        const std::string folder = "Z:\\proc\\" + rt::ToCp932Shown(found.cFileName);
        const std::optional<std::string> commandLine = HostFile(folder + "\\cmdline");
        if (!commandLine) continue;
        const std::string first = commandLine->substr(0, commandLine->find('\0'));
        if (!first.ends_with("/" + program) && first != program) continue;
        const std::optional<std::string> environment = HostFile(folder + "\\environ");
        if (environment && environment->find(prefixEntry) != std::string::npos) ours = folder;
    } while (!ours && FindNextFileW(search, &found));
    FindClose(search);
    return ours;
}

// The shared memory segments this process has mapped: every window's
// drawing surface is one.
std::optional<int> SharedMemorySegments() {
    const std::optional<std::string> process = HostProcessFolder();
    if (!process) return std::nullopt;
    const std::optional<std::string> maps = HostFile(*process + "\\maps");
    if (!maps) return std::nullopt;
    int segments = 0;
    for (std::size_t at = maps->find("SYSV"); at != std::string::npos; at = maps->find("SYSV", at + 1)) ++segments;
    return segments;
}

}  // namespace

TEST_F(FileDialogTest, EachProgramRequestOpensInTheCurrentDirectory) {
    struct Row {
        const char* title;
        const char* defaultName;
        const char* filterText;
        long double mode;
        const wchar_t* expectedTitle;
        const wchar_t* expectedName;
        Types expectedTypes;
        DWORD expectedFlags;
    };
    const Row rows[] = {
        {"コピー元になる場所は？", "DUMMY", "", 1, L"コピー元になる場所は？", L"DUMMY",
         {{L"すべてのﾌｧｲﾙ(*.*)", L"*.*"}}, kAlwaysFlags},
        {"コピー先になる場所は？", "DUMMY", "", 1, L"コピー先になる場所は？", L"DUMMY",
         {{L"すべてのﾌｧｲﾙ(*.*)", L"*.*"}}, kAlwaysFlags},
        {"リストを保存する場所は？", "フォルダーリスト.TXT", "(*.*)", 0, L"リストを保存する場所は？",
         L"フォルダーリスト.TXT", {{L"(*.*)", L"*.*"}}, kAlwaysFlags | OFN_OVERWRITEPROMPT},
    };
    const HWND owner = reinterpret_cast<HWND>(0x1234);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.title);
        rt::ShowFileDialog(owner, row.title, row.defaultName, row.filterText, row.mode);
        EXPECT_EQ(ui.saveDialogs.back().owner, owner);
        EXPECT_EQ(ui.saveDialogs.back().title, row.expectedTitle);
        EXPECT_EQ(ui.saveDialogs.back().initialFolder, TestDirectory());
        EXPECT_EQ(ui.saveDialogs.back().fileName, row.expectedName);
        EXPECT_EQ(TypesOf(ui.saveDialogs.back().filter), row.expectedTypes);
        EXPECT_EQ(ui.saveDialogs.back().flags, row.expectedFlags);
        EXPECT_EQ(ui.saveDialogs.back().maxPath, 32767u);
    }
}

TEST_F(FileDialogTest, DefaultNameGivesTheInitialFolderAndTheProposedName) {
    struct Row {
        std::string defaultName;
        std::wstring expectedFolder;
        std::wstring expectedName;
    };
    const std::wstring here = TestDirectory();
    const std::string drive = rt::ToCp932Shown(here.substr(0, 2));
    const Row rows[] = {
        {"C:\\WORK\\x.txt", L"C:\\WORK", L"x.txt"},
        {"C:\\x", L"C:\\", L"x"},
        {"C:\\WORK\\", L"C:\\WORK", L""},
        {"C:\\WORK\\..\\x", L"C:\\", L"x"},
        {"\\\\server\\share\\A\\x", L"\\\\server\\share\\A", L"x"},
        // The second byte of ソ and 表 is the code of "\".
        {"C:\\ソ", L"C:\\", L"ソ"},
        {"C:\\表\\ソ.TXT", L"C:\\表", L"ソ.TXT"},
        {"sub\\x.txt", here + L"\\sub", L"x.txt"},
        {drive + "x.txt", here, L"x.txt"},
        {"表", here, L"表"},
        {"", here, L""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.defaultName);
        const rt::SaveDialogRequest& request = RequestFor(row.defaultName);
        EXPECT_EQ(request.initialFolder, row.expectedFolder);
        EXPECT_EQ(request.fileName, row.expectedName);
    }
}

TEST_F(FileDialogTest, EachFilterEntryBecomesOneFileType) {
    struct Row {
        const char* filterText;
        Types expectedTypes;
    };
    const Row rows[] = {
        {"a(*.txt, *.doc);b(*.*)", {{L"a(*.txt, *.doc)", L"*.txt;*.doc"}, {L"b(*.*)", L"*.*"}}},
        {"テキスト (\t*.TXT ,\t*.LOG )", {{L"テキスト (\t*.TXT ,\t*.LOG )", L"*.TXT;*.LOG"}}},
        {"Copies (a(1).txt)", {{L"Copies (a(1).txt)", L"a(1).txt"}}},
        {"表(表*.*)", {{L"表(表*.*)", L"表*.*"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.filterText);
        EXPECT_EQ(TypesOf(RequestFor("DUMMY", row.filterText).filter), row.expectedTypes);
    }
}

TEST_F(FileDialogTest, FilterEntryWithoutPatternsRaises5) {
    for (const char* filterText : {"Text", "a(*.txt);b", "a(*.txt);", ";a(*.txt)", "a(*.txt;*.doc)", "a(",
                                   "a)", "a)(", "a()", "a( \t)"}) {
        SCOPED_TRACE(filterText);
        EXPECT_EQ(ErrorOfDialog("T", "DUMMY", filterText, 1), 5);
    }
}

TEST_F(FileDialogTest, LongestFilterTextIsOfferedWhole) {
    const std::string patterns = "*." + std::string(507, 'x');
    const std::string filterText = "(" + patterns + ")";
    ASSERT_EQ(filterText.size(), 511u);

    const rt::SaveDialogRequest& request = RequestFor("DUMMY", filterText);

    const Types expected{{rt::ToWide(filterText), rt::ToWide(patterns)}};
    EXPECT_EQ(TypesOf(request.filter), expected);
    EXPECT_EQ(rt::ToCp932Shown(request.filter).size(), 1023u);
}

TEST_F(FileDialogTest, ArgumentsAreLimitedInBytes) {
    struct Row {
        const char* what;
        std::string title;
        std::string defaultName;
        std::string filterText;
        int expectedError;
    };
    std::string fullWidth;
    for (int i = 0; i < 32; ++i) fullWidth += "ア";
    const std::string longName = "C:\\" + std::string(257, 'a');
    const std::string longFilter = "(*.*)" + std::string(506, ' ');
    const Row rows[] = {
        {"title of 64 bytes", fullWidth, "DUMMY", "", 0},
        {"title of 65 bytes", fullWidth + "a", "DUMMY", "", 5},
        {"default name of 260 bytes", "T", longName, "", 0},
        {"default name of 261 bytes", "T", longName + "a", "", 5},
        {"filter text of 511 bytes", "T", "DUMMY", longFilter, 0},
        {"filter text of 512 bytes", "T", "DUMMY", longFilter + " ", 5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(ErrorOfDialog(row.title, row.defaultName, row.filterText, 1), row.expectedError);
    }
}

TEST_F(FileDialogTest, ModeIsTakenAsAnIntegerArgument) {
    struct Row {
        long double mode;
        int expectedError;
        bool asksBeforeOverwriting;
    };
    const Row rows[] = {
        {0, 0, true},      {1, 0, false},     {0.4L, 0, true}, {1.4L, 0, false},
        {1.5L, 5, false},  {2, 5, false},     {-1, 5, false},  {-0.5L, 5, false},
        {1e10L, 6, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<double>(row.mode));
        EXPECT_EQ(ErrorOfDialog("T", "DUMMY", "", row.mode), row.expectedError);
        if (row.expectedError == 0) {
            EXPECT_EQ((ui.saveDialogs.back().flags & OFN_OVERWRITEPROMPT) != 0, row.asksBeforeOverwriting);
        }
    }
}

TEST_F(FileDialogTest, CancelGivesTheEscapeCharacterAlone) {
    ui.dialogAnswers.push_back(std::nullopt);
    EXPECT_EQ(rt::ShowFileDialog(nullptr, "T", "DUMMY", "", 1), "\x1B");
}

TEST_F(FileDialogTest, ConfirmedPathComesBackInCodePage932) {
    ui.dialogAnswers.push_back(L"C:\\ソ\\表 ﾌｧｲﾙ\\DUMMY");
    EXPECT_EQ(rt::ShowFileDialog(nullptr, "T", "DUMMY", "", 1), "C:\\\x83\x5C\\\x95\x5C \xCC\xA7\xB2\xD9\\DUMMY");
}

// The nearest code page 932 forms would name other folders (C:\A\B,
// C:\Cafe): each character without a form is carried exactly instead.
TEST_F(FileDialogTest, PathsWithCharactersWithoutACodePage932FormAreUsedExactly) {
    for (const wchar_t* path : {L"C:\\A\u00A5B\\DUMMY", L"C:\\Caf\u00E9\\DUMMY", L"C:\\\U0001F600\\DUMMY",
                                L"C:\\\u55B6\u696D\u301C\u4F01\u753B\\DUMMY"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(path)));
        ui.dialogAnswers.push_back(path);
        const std::string result = rt::ShowFileDialog(nullptr, "T", "DUMMY", "", 1);
        EXPECT_EQ(rt::ToWide(result), path);
        EXPECT_EQ(rt::SplitPath(result).name, "DUMMY");
    }
}

TEST_F(FileDialogTest, PathTheProgramCannotUseCountsAsFailedDialog) {
    const wchar_t* paths[] = {
        // What Wine's dialog reports when a WM_QUIT ends it.
        L"DUMMY",
        L"",
    };
    for (const wchar_t* path : paths) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(path)));
        ui.dialogAnswers.push_back(path);
        EXPECT_EQ(rt::ShowFileDialog(nullptr, "T", "DUMMY", "", 1), "\x1B");
    }
}

TEST(FolderOfDialogResultTest, IsTheFolderInWhichTheNameWasConfirmed) {
    const std::pair<const char*, const char*> rows[] = {
        {"C:\\DATA\\DUMMY", "C:\\DATA\\"},
        {"C:\\DUMMY", "C:\\"},
        {"D:\\X\\Y\\DUMMY", "D:\\X\\Y\\"},
        {"\\\\server\\share\\A\\DUMMY", "\\\\server\\share\\A\\"},
        {"C:\\ソ\\DUMMY", "C:\\ソ\\"},
        {"C:\\DATA\\ソ", "C:\\DATA\\"},
        {"\x1B", ""},
    };
    for (const auto& [result, expected] : rows) {
        SCOPED_TRACE(result);
        EXPECT_EQ(rt::FolderOfDialogResult(result), expected);
    }
}

TEST(FileDialogSystemTest, CancelInTheSystemDialogGivesTheEscapeCharacter) {
    rt::SetModalUi(nullptr);
    DialogCanceller canceller(GetCurrentThreadId());

    const std::string result = rt::ShowFileDialog(nullptr, "コピー元になる場所は？", "DUMMY", "", 1);

    EXPECT_TRUE(canceller.Finish()) << "no dialog was shown";
    EXPECT_EQ(result, "\x1B");
}

// Under Wine a closed window's drawing surface stays in the cache of device
// contexts; the system's dialogs let it go as they return, so that the next
// dialog does not open beside the last one's.
TEST(FileDialogSystemTest, AClosedDialogOrMessageBoxLeavesNoDrawingSurfaceBehind) {
    const std::optional<int> before = SharedMemorySegments();
    if (!before) GTEST_SKIP() << "the host's list of mappings cannot be read here";
    rt::SetModalUi(nullptr);
    const std::vector<std::pair<const char*, void (*)()>> conversations = {
        {"save dialog", [] { rt::ShowFileDialog(nullptr, "コピー先になる場所は？", "DUMMY", "", 1); }},
        {"message box", [] { rt::ShowMessageBox({nullptr, L"作業終了のお知らせ", L"終了しました。", MB_OKCANCEL}); }},
    };
    for (const auto& [name, converse] : conversations) {
        SCOPED_TRACE(name);
        DialogCanceller canceller(GetCurrentThreadId());
        converse();
        ASSERT_TRUE(canceller.Finish()) << "nothing was shown";
        EXPECT_LE(SharedMemorySegments(), before);
    }
}
