#pragma once

#include <windows.h>

#include <string>

namespace test {

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

    // The first message box the program shows, or null after 30 seconds.
    HWND WaitForMessageBox();
    // The message box the program shows now, or null; looks once.
    HWND MessageBoxNow() const;

    // The exit code; 259 (still active) if it did not end within 30 seconds.
    DWORD WaitForExit();

    HANDLE Process() const { return process_.hProcess; }

private:
    PROCESS_INFORMATION process_{};
    HANDLE nowhere_ = INVALID_HANDLE_VALUE;
};

std::wstring WindowText(HWND window);

// The text of a message box, from its static text (id 0xFFFF).
std::wstring MessageBoxText(HWND box);

}  // namespace test
