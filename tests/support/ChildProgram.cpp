#include "support/ChildProgram.h"

#include <stdexcept>

namespace test {

namespace {

struct Search {
    DWORD processId;
    const wchar_t* className;
    HWND found;
    HWND owner = nullptr;  // when given, only a window it owns
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[64] = L"";
    GetClassNameW(window, className, 64);
    if (owner == search->processId && IsWindowVisible(window) &&
        lstrcmpiW(className, search->className) == 0 &&
        (search->owner == nullptr || GetWindow(window, GW_OWNER) == search->owner)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForWindow(DWORD processId, const wchar_t* className) {
    Search search{processId, className, nullptr};
    WaitUntil(
        [&] {
            EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        100);
    return search.found;
}

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\') + 1); }

}  // namespace

std::wstring ThisTestProgram() {
    wchar_t path[MAX_PATH];
    return std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
}

std::wstring ProgramBesideThisTest() { return Folder(ThisTestProgram()) + L"SORATN2.exe"; }

ChildProgram::ChildProgram(const std::wstring& executable, const std::wstring& arguments,
                           const std::wstring& folder) {
    std::wstring commandLine = L"\"" + executable + L"\" " + arguments;
    // What the child or the system's crash handler prints stays out of the
    // test's output.
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    nowhere_ = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           &inheritable, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nowhere_;
    // Wine now and then refuses a new process on a busy machine; once more then.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                           folder.empty() ? nullptr : folder.c_str(), &startup, &process_)) {
            return;
        }
        Sleep(500);
    }
    throw std::runtime_error("CreateProcessW failed: " + std::to_string(GetLastError()));
}

ChildProgram::~ChildProgram() {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    CloseHandle(nowhere_);
}

HWND ChildProgram::WaitForMainWindow() { return WaitForWindow(process_.dwProcessId, L"SORATN2.MAINFORM"); }

HWND ChildProgram::WaitForMessageBox() { return WaitForWindow(process_.dwProcessId, L"#32770"); }

HWND ChildProgram::MessageBoxNow() const {
    Search search{process_.dwProcessId, L"#32770", nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ChildProgram::BoxOwnedBy(HWND dialog) const {
    Search search{process_.dwProcessId, L"#32770", nullptr, dialog};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

DWORD ChildProgram::WaitForExit() {
    WaitForSingleObject(process_.hProcess, kPatienceMilliseconds);
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &exitCode);
    return exitCode;
}

std::wstring WindowText(HWND window) {
    wchar_t text[1024] = L"";
    GetWindowTextW(window, text, 1024);
    return text;
}

int BusyAnswer(HWND window) {
    static const UINT query = RegisterWindowMessageW(L"SORATN2.Busy");
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, query, 0, 0, SMTO_NORMAL, kPatienceMilliseconds, &answer)) return -1;
    return answer != 0 ? 1 : 0;
}

std::wstring MessageBoxText(HWND box) { return WindowText(GetDlgItem(box, 0xFFFF)); }

}  // namespace test
