#pragma once

#include <windows.h>

#include <string>

namespace test {

// How long the user at the window waits for the program to show a window,
// close one, answer or end before giving up on it: the one time budget of
// every wait of the end-to-end tests, generous for a loaded machine.
inline constexpr DWORD kPatienceMilliseconds = 60000;

// Looks every `every` milliseconds until `done` holds; false when the
// patience ran out first.
template <class Done>
bool WaitUntil(Done done, DWORD every = 10) {
    const ULONGLONG end = GetTickCount64() + kPatienceMilliseconds;
    while (!done()) {
        if (GetTickCount64() >= end) return false;
        Sleep(every);
    }
    return true;
}

// SORATN2.exe in the folder of the running test program.
std::wstring ProgramBesideThisTest();

// This test program itself, to be started in one of its probe modes.
std::wstring ThisTestProgram();

// A program started in a process of its own and watched through its windows.
class ChildProgram {
public:
    explicit ChildProgram(const std::wstring& executable, const std::wstring& arguments = L"",
                          const std::wstring& folder = L"");
    ~ChildProgram();
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;

    HWND WaitForMainWindow();

    // The first message box the program shows, or null when patience ran out.
    HWND WaitForMessageBox();
    // The message box the program shows now, or null; looks once.
    HWND MessageBoxNow() const;
    // The message box that one of its dialogs shows now, or null; looks once.
    HWND BoxOwnedBy(HWND dialog) const;

    // The exit code; 259 (still active) if it did not end in time.
    DWORD WaitForExit();

    HANDLE Process() const { return process_.hProcess; }

private:
    PROCESS_INFORMATION process_{};
    HANDLE nowhere_ = INVALID_HANDLE_VALUE;
};

std::wstring WindowText(HWND window);

// The program's answer to its busy query ("SORATN2.Busy") sent to its main
// window: 1 while a command runs or waits to run, 0 when it waits for the
// user, -1 when patience ran out.
int BusyAnswer(HWND window);

// The text of a message box, from its static text (id 0xFFFF).
std::wstring MessageBoxText(HWND box);

}  // namespace test
