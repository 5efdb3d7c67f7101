// The program driven end to end through its windows, side by side with a
// floor program that makes only the system calls the job needs and with the
// platform's own xcopy /T /E. Several repetitions; medians; ratios.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "Floor.h"
#include "runtime/Cp932.h"
#include "support/TempFolder.h"
#include "support/UserAtTheWindow.h"

using namespace e2e;

namespace {

using bench::FolderThere;
using bench::ListTree;
using bench::Now;
using bench::SecondsSince;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

SIZE_T PeakWorkingSet(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    K32GetProcessMemoryInfo(process, &counters, sizeof counters);
    return counters.PeakWorkingSetSize;
}

double RunXcopy(const std::wstring& tree, const std::wstring& target) {
    std::wstring commandLine = L"xcopy.exe \"" + tree + L"\" \"" + target + L"\\\" /T /E /I /Q";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const LONGLONG start = Now();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return -1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    const double seconds = SecondsSince(start);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return seconds;
}

// Each measured step of one use of the program, in seconds.
using Times = std::map<std::string, double>;

Times UseTheProgram(const std::string& tree, const std::string& work, SIZE_T& peak) {
    Times times;
    const std::wstring wideTree = rt::ToWide(tree);
    const std::wstring wideWork = rt::ToWide(work);
    UserAtTheWindow user(wideWork + L"\\start");
    times["peak after start-up"] = static_cast<double>(PeakWorkingSet(user.Process()));
    user.Click(kButton5);
    LONGLONG start = Now();
    user.SaveAs(wideTree + L"\\DUMMY");
    times["scan"] = SecondsSince(start);
    const int count = static_cast<int>(SendMessageW(user.Control(kList1), LB_GETCOUNT, 0, 0));
    start = Now();
    user.ClickItemAt(count - 1);
    times["list click"] = SecondsSince(start);
    start = Now();
    user.Click(kButton4);
    times["deselect all"] = SecondsSince(start);
    start = Now();
    user.Click(kButton3);
    times["select all"] = SecondsSince(start);
    user.Click(kButton6);
    user.SaveAs(wideWork + L"\\copy\\DUMMY");
    start = Now();
    user.Click(kButton7);
    times["copy"] = SecondsSince(start);
    user.ReadAndCloseMessage();
    start = Now();
    user.Click(kButton9);
    times["undo"] = SecondsSince(start);
    user.ReadAndCloseMessage();
    user.Click(kButton8);
    start = Now();
    user.SaveAs(wideWork + L"\\list");
    times["export"] = SecondsSince(start);
    peak = PeakWorkingSet(user.Process());
    PostMessageW(user.Window(), WM_CLOSE, 0, 0);
    user.WaitForExit();
    return times;
}

Times RunTheFloor(const std::string& tree, const std::string& work) {
    Times times;
    const std::wstring root = rt::ToWide(tree);
    const std::wstring target = rt::ToWide(work) + L"\\floor";
    LONGLONG start = Now();
    const std::vector<std::wstring> folders = ListTree(root);
    times["scan"] = SecondsSince(start);
    start = Now();
    for (const std::wstring& folder : folders) {
        const std::wstring path = target + L"\\" + folder;
        if (!FolderThere(path)) CreateDirectoryW(path.c_str(), nullptr);
    }
    times["copy"] = SecondsSince(start);
    start = Now();
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
        const std::wstring path = target + L"\\" + *folder;
        if (FolderThere(path)) RemoveDirectoryW(path.c_str());
    }
    times["undo"] = SecondsSince(start);
    times["folders"] = static_cast<double>(folders.size());
    return times;
}

SIZE_T EmptyWindowPeak(const std::wstring& program, bool withDialog) {
    test::ChildProgram empty(program, withDialog ? L"dialog" : L"");
    const HWND window = empty.WaitForMainWindow();
    if (withDialog) {
        const HWND dialog = empty.WaitForMessageBox();
        Sleep(500);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    Sleep(500);
    const SIZE_T peak = PeakWorkingSet(empty.Process());
    PostMessageW(window, WM_CLOSE, 0, 0);
    empty.WaitForExit();
    return peak;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: e2e_benchmark TREE WORK REPETITIONS RESULTS\n");
        return 2;
    }
    const std::string tree = argv[1];
    const std::string work = argv[2];
    const int repetitions = std::max(1, std::atoi(argv[3]));
    std::map<std::string, std::vector<double>> program;
    std::map<std::string, std::vector<double>> floor;
    std::vector<double> xcopy;
    SIZE_T programPeak = 0;
    double folders = 0;
    for (int repetition = 0; repetition < repetitions; ++repetition) {
        for (const char* folder : {"\\start", "\\copy", "\\floor"}) test::MakeFolders(work + folder);
        for (const auto& [step, seconds] : RunTheFloor(tree, work)) floor[step].push_back(seconds);
        xcopy.push_back(RunXcopy(rt::ToWide(tree), rt::ToWide(work) + L"\\xcopy"));
        test::RemoveTree(work + "\\xcopy");
        SIZE_T peak = 0;
        for (const auto& [step, seconds] : UseTheProgram(tree, work, peak)) program[step].push_back(seconds);
        programPeak = std::max(programPeak, peak);
        folders = floor["folders"].back();
    }
    const std::wstring self = test::ThisTestProgram();
    const std::wstring emptyProgram = self.substr(0, self.find_last_of(L'\\') + 1) + L"empty_window.exe";
    const SIZE_T emptyPeak = EmptyWindowPeak(emptyProgram, false);
    const SIZE_T emptyDialogPeak = EmptyWindowPeak(emptyProgram, true);

    char results[4096];
    const auto median = [](const std::vector<double>& values) { return Median(values); };
    std::snprintf(results, sizeof results,
                  "folders: %.0f, repetitions: %d (medians)\n"
                  "scan to list shown:   program %.2f s, floor listing %.2f s, ratio %.2f (target 1.2)\n"
                  "copy of everything:   program %.2f s, floor creation %.2f s, ratio %.2f (target 1.2)\n"
                  "undo:                 program %.2f s, floor removal %.2f s, ratio %.2f (target 1.2)\n"
                  "scan + copy:          program %.2f s, xcopy /T /E %.2f s, ratio %.2f (target below 1)\n"
                  "one list click (last item of %.0f): %.0f ms (target 50 ms)\n"
                  "deselect all %.2f s, select all %.2f s, export %.2f s\n"
                  "peak working set: program %.1f MB, empty window program %.1f MB, difference %.1f MB (target 20 MB)\n"
                  "  of the program: %.1f MB after start-up\n"
                  "  the empty window program after one save dialog: %.1f MB; the program above that: %.1f MB\n",
                  folders, repetitions, median(program["scan"]), median(floor["scan"]),
                  median(program["scan"]) / median(floor["scan"]), median(program["copy"]), median(floor["copy"]),
                  median(program["copy"]) / median(floor["copy"]), median(program["undo"]), median(floor["undo"]),
                  median(program["undo"]) / median(floor["undo"]),
                  median(program["scan"]) + median(program["copy"]), median(xcopy),
                  (median(program["scan"]) + median(program["copy"])) / median(xcopy), folders,
                  median(program["list click"]) * 1000, median(program["deselect all"]),
                  median(program["select all"]), median(program["export"]), programPeak / 1048576.0,
                  emptyPeak / 1048576.0, (static_cast<double>(programPeak) - emptyPeak) / 1048576.0,
                  median(program["peak after start-up"]) / 1048576.0,
                  emptyDialogPeak / 1048576.0, (static_cast<double>(programPeak) - emptyDialogPeak) / 1048576.0);
    std::fputs(results, stdout);
    if (FILE* file = std::fopen(argv[4], "w")) {
        std::fputs(results, file);
        std::fclose(file);
    }
    return 0;
}
