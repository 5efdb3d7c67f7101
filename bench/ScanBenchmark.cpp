// Measures the source command on a large tree against the floor the platform
// sets: the same directory listings in a bare loop, run side by side in one
// process. Prints the times and their ratio.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Floor.h"
#include "program/Program.h"
#include "runtime/Cp932.h"
#include "shell/DeferredRedraw.h"
#include "shell/ListOperations.h"
#include "support/ProgramDriver.h"
#include "support/ProgramRun.h"
#include "support/ScriptedModalUi.h"

namespace {

using bench::FolderThere;
using bench::Now;
using bench::SecondsSince;

// The list's part of the command done with bare list messages: fill the
// sorted list, read every item back, select every item.
double BareListSeconds(HWND list) {
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    std::vector<std::wstring> texts;
    for (int i = 0; i < count; ++i) {
        std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        texts.push_back(text);
    }
    const LONGLONG start = Now();
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& text : texts) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    wchar_t buffer[1024];
    for (int i = 0; i < count; ++i) SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer));
    for (int i = 0; i < count; ++i) SendMessageW(list, LB_SELITEMRANGE, TRUE, MAKELPARAM(i, i));
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    return SecondsSince(start);
}

// The program's own list part again: ADD_LIST1_SUB, the names read back,
// SET_LIST1_SUB.
double ProgramListSeconds() {
    const LONGLONG start = Now();
    program::ADD_LIST1_SUB();
    for (int i = 0; i < static_cast<int>(program::folderCount); ++i) {
        program::folderNames[i] = shell::ItemText(program::LIST1, i);
    }
    program::SET_LIST1_SUB();
    shell::ShowDeferredChanges();
    return SecondsSince(start);
}

// The copy run's and the undo's floors: one existence test and one creation
// per folder in table order, then one existence test and one removal per
// folder in reverse.
void BareCopyAndUndo(const std::wstring& destination, double& copySeconds, double& undoSeconds) {
    std::vector<std::wstring> targets;
    for (int i = 0; i < static_cast<int>(program::folderCount); ++i) {
        targets.push_back(destination + L"\\" + rt::ToWide(program::folderNames[i]));
    }
    LONGLONG start = Now();
    for (const std::wstring& target : targets) {
        if (!FolderThere(target)) CreateDirectoryW(target.c_str(), nullptr);
    }
    copySeconds = SecondsSince(start);
    start = Now();
    for (auto target = targets.rbegin(); target != targets.rend(); ++target) {
        if (FolderThere(*target)) RemoveDirectoryW(target->c_str());
    }
    undoSeconds = SecondsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: scan_benchmark TREE COPY-DESTINATION BARE-DESTINATION\n");
        return 2;
    }
    const std::string root = argv[1];
    const std::string copyDestination = argv[2];
    const std::wstring bareDestination = rt::ToWide(argv[3]);

    const LONGLONG bareStart = Now();
    const long bareFolders = static_cast<long>(bench::ListTree(rt::ToWide(root)).size());
    const double bareSeconds = SecondsSince(bareStart);

    test::ScriptedModalUi ui;
    ui.dialogAnswers.push_back(rt::ToWide(root + "\\DUMMY"));
    ui.dialogAnswers.push_back(rt::ToWide(copyDestination + "\\DUMMY"));
    double copySeconds = 0;
    double undoSeconds = 0;
    double bareCopySeconds = 0;
    double bareUndoSeconds = 0;
    long created = 0;
    double scanSeconds = 0;
    double listSeconds = 0;
    double bareListSeconds = 0;
    long listed = 0;
    long selected = 0;
    LONGLONG scanStart = 0;
    test::RunProgramWith({
        [&] {
            scanStart = Now();
            test::Click(program::BUTTON5);
        },
        [&] {
            scanSeconds = SecondsSince(scanStart);
            listed = static_cast<long>(shell::ItemCount(program::LIST1));
            for (long i = 0; i < listed; ++i) selected += program::folderMarks[i] == 1 ? 1 : 0;
            listSeconds = ProgramListSeconds();
            bareListSeconds = BareListSeconds(program::LIST1.window);
            BareCopyAndUndo(bareDestination, bareCopySeconds, bareUndoSeconds);
            test::Click(program::BUTTON6);
        },
        [&] {
            scanStart = Now();
            test::Click(program::BUTTON7);
        },
        [&] {
            copySeconds = SecondsSince(scanStart);
            created = static_cast<long>(std::stol(shell::ReadText(program::TEXT3)));
            scanStart = Now();
            test::Click(program::BUTTON9);
        },
        [&] { undoSeconds = SecondsSince(scanStart); },
    });

    std::printf("folders: %ld (bare listing), %ld listed, %ld selected\n", bareFolders, listed, selected);
    std::printf("bare listing loop:  %.2f s\n", bareSeconds);
    std::printf("source command:     %.2f s\n", scanSeconds);
    std::printf("ratio:              %.2f\n", scanSeconds / bareSeconds);
    std::printf("list part, bare list messages: %.2f s\n", bareListSeconds);
    std::printf("list part, program:            %.2f s (ratio %.2f)\n", listSeconds,
                listSeconds / bareListSeconds);
    std::printf("copy run of %ld folders: %.2f s, bare existence test and creation: %.2f s (ratio %.2f)\n",
                created, copySeconds, bareCopySeconds, copySeconds / bareCopySeconds);
    std::printf("undo:                     %.2f s, bare existence test and removal: %.2f s (ratio %.2f)\n",
                undoSeconds, bareUndoSeconds, undoSeconds / bareUndoSeconds);
    return listed == bareFolders && selected == listed ? 0 : 1;
}
