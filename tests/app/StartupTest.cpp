#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring ProgramBesideThisTest() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + L"SORATN2.exe";
}

struct FoundWindow {
    DWORD processId;
    HWND window;
};

BOOL CALLBACK MatchProcess(HWND window, LPARAM parameter) {
    auto* found = reinterpret_cast<FoundWindow*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == found->processId && IsWindowVisible(window) && GetParent(window) == nullptr) {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForMainWindow(DWORD processId) {
    FoundWindow found{processId, nullptr};
    for (int tries = 0; tries < 300 && found.window == nullptr; ++tries) {
        EnumWindows(MatchProcess, reinterpret_cast<LPARAM>(&found));
        if (found.window == nullptr) Sleep(100);
    }
    return found.window;
}

}  // namespace

TEST(StartupTest, ShowsItsWindowAndEndsWithExitCodeZeroWhenClosed) {
    std::wstring commandLine = L"\"" + ProgramBesideThisTest() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process))
        << GetLastError();

    const HWND window = WaitForMainWindow(process.dwProcessId);
    ASSERT_NE(window, nullptr);
    RECT bounds{};
    GetWindowRect(window, &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 700);
    EXPECT_EQ(bounds.bottom - bounds.top, 550);

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
