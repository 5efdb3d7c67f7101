// The program driven end to end through its windows, side by side with a
// floor program that makes only the system calls the job needs and with the
// platform's own xcopy /T /E, interleaved in every repetition. Medians with
// the smallest and largest value, ratios, and the program's own cost per
// folder; as text and as JSON.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Figures.h"
#include "Floor.h"
#include "runtime/system/Cp932.h"
#include "support/TempFolder.h"
#include "support/UserAtTheWindow.h"

using namespace e2e;

namespace {

using bench::Figure;
using bench::Figures;
using bench::Now;
using bench::OwnCostPerFolder;
using bench::Ratio;
using bench::SecondsSince;

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

// From the user's action until the program has handled it: the action's
// messages are through, and two answered round trips later its event has run
// (or its message box is up) in a program that answers only between
// commands; one that answers during a command too (at its next look, every
// 10 ms) is asked its busy query until no command runs or waits to run, or a
// box of the command's is up (the export's question before it overwrites).
template <typename Action>
double Timed(UserAtTheWindow& user, Action action) {
    const LONGLONG start = Now();
    action();
    user.Answers();
    user.Answers();
    while (user.BusyAnswer() == 1 && user.DialogNow() == nullptr) Sleep(1);
    return SecondsSince(start);
}

// From the user's action until the message box that ends the program's work
// is up. A round trip is answered before the button's event starts, once the
// box takes messages, or, from a program that answers during a command, at
// its next look (every 10 ms); waiting in it, rather than looking for the box
// again and again, leaves the system to the program.
template <typename Action>
double TimedUntilMessage(UserAtTheWindow& user, Action action) {
    const LONGLONG start = Now();
    action();
    do {
        user.Answers();
    } while (user.DialogNow() == nullptr);
    return SecondsSince(start);
}

// A click that selects the last item of the list, whose parent the program
// then selects: the list tells the parent selected only when the click's
// event has run, asked again and again from the click on.
double TimedSelectingClick(UserAtTheWindow& user, int last) {
    const HWND list = user.Control(kList1);
    std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, last, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, last, reinterpret_cast<LPARAM>(text.data()))));
    const std::wstring parent = text.substr(0, text.find_last_of(L'\\'));
    const LRESULT parentItem =
        SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(parent.c_str()));
    const LONGLONG start = Now();
    user.PressItemAt(last);
    while (SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(parentItem), 0) == 0) {
    }
    return SecondsSince(start);
}

// The whole job done by `program` ("program" or "baseline" in the figures'
// names) through its windows.
void UseTheProgram(const std::wstring& executable, const std::string& program, const std::string& tree,
                   const std::string& work, Figures& figures) {
    const std::wstring wideTree = rt::ToWide(tree);
    const std::wstring wideWork = rt::ToWide(work);
    UserAtTheWindow user(wideWork + L"\\start", executable);
    const auto figure = [&](const char* name) -> Figure& { return figures[program + ": " + name]; };
    figure("peak after start-up").values.push_back(static_cast<double>(PeakWorkingSet(user.Process())));
    user.Click(kButton5);
    figure("scan").values.push_back(Timed(user, [&] { user.Save(wideTree + L"\\DUMMY"); }));
    user.WaitUntilIdle();
    figure("peak after the scan").values.push_back(static_cast<double>(PeakWorkingSet(user.Process())));
    const int count = static_cast<int>(SendMessageW(user.Control(kList1), LB_GETCOUNT, 0, 0));
    figure("list click").values.push_back(Timed(user, [&] { user.PressItemAt(count - 1); }));
    user.WaitUntilIdle();
    figure("deselect all").values.push_back(Timed(user, [&] { user.Press(kButton4); }));
    user.WaitUntilIdle();
    figure("selecting list click").values.push_back(TimedSelectingClick(user, count - 1));
    user.WaitUntilIdle();
    figure("select all").values.push_back(Timed(user, [&] { user.Press(kButton3); }));
    user.Click(kButton6);
    user.SaveAs(wideWork + L"\\copy\\DUMMY");
    figure("copy").values.push_back(TimedUntilMessage(user, [&] { user.Press(kButton7); }));
    user.ReadAndCloseMessage();
    figure("peak after the copy").values.push_back(static_cast<double>(PeakWorkingSet(user.Process())));
    figure("undo").values.push_back(TimedUntilMessage(user, [&] { user.Press(kButton9); }));
    user.ReadAndCloseMessage();
    user.Click(kButton8);
    figure("export").values.push_back(Timed(user, [&] { user.Save(wideWork + L"\\list"); }));
    user.WaitUntilIdle();
    figure("peak").values.push_back(static_cast<double>(PeakWorkingSet(user.Process())));
    PostMessageW(user.Window(), WM_CLOSE, 0, 0);
    user.WaitForExit();
}

void RunTheFloors(const std::string& tree, const std::string& work, Figures& figures) {
    const std::wstring target = rt::ToWide(work) + L"\\floor";
    const LONGLONG start = Now();
    const std::vector<std::wstring> folders = bench::ListTree(rt::ToWide(tree));
    figures["floor: listing"].values.push_back(SecondsSince(start));
    figures["folders"].values.push_back(static_cast<double>(folders.size()));
    const LONGLONG aheadStart = Now();
    (void)bench::ListTreeAhead(rt::ToWide(tree), rt::DefaultAheadThreads());
    figures["floor: listing ahead"].values.push_back(SecondsSince(aheadStart));
    figures["floor: creation alone"].values.push_back(bench::CreateAll(target, folders, false));
    figures["floor: removal alone"].values.push_back(bench::RemoveAll(target, folders, false));
    figures["floor: existence test + creation"].values.push_back(bench::CreateAll(target, folders, true));
    figures["floor: existence test + removal"].values.push_back(bench::RemoveAll(target, folders, true));
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

Figure Sum(const Figure& a, const Figure& b) {
    Figure sum;
    for (std::size_t i = 0; i < a.values.size(); ++i) sum.values.push_back(a.values[i] + b.values[i]);
    return sum;
}

struct Report {
    std::string text;
    std::string json;

    void Line(const char* format, auto... values) {
        char line[512];
        std::snprintf(line, sizeof line, format, values...);
        text += line;
    }
};

// One phase against its floor: the medians, the ratio of every repetition
// and the own cost per folder.
void Phase(Report& report, const char* key, const char* label, const Figure& program, const Figure& floor,
           const char* floorLabel, double folders, double target) {
    const Figure ratio = Ratio(program, floor);
    const Figure own = OwnCostPerFolder(program, floor, folders);
    report.Line("%-22s program %.2f s, %s %.2f s, ratio %.2f [%.2f, %.2f] (target %.2f)\n", label, program.Median(),
                floorLabel, floor.Median(), ratio.Median(), ratio.Min(), ratio.Max(), target);
    report.Line("%-22s own cost %.1f us/folder [%.1f, %.1f]\n", "", own.Median(), own.Min(), own.Max());
    char json[512];
    std::snprintf(json, sizeof json,
                  "  \"%s\": {\"program_s\": %.3f, \"floor_s\": %.3f, \"ratio\": %.3f, \"min_ratio\": %.3f, "
                  "\"max_ratio\": %.3f, \"own_us_per_folder\": %.1f",
                  key, program.Median(), floor.Median(), ratio.Median(), ratio.Min(), ratio.Max(), own.Median());
    report.json += json;
}

// The phase against its bare floor once more for the JSON, and against the
// floor that tests before it acts, as the program once did.
void AgainstTestedFloor(Report& report, const char* action, const Figure& program, const Figure& bare,
                        const Figure& tested, const char* testedLabel) {
    const Figure ratio = Ratio(program, tested);
    report.Line("%-22s against %s %.2f s: ratio %.2f [%.2f, %.2f]\n", "", testedLabel, tested.Median(),
                ratio.Median(), ratio.Min(), ratio.Max());
    char json[256];
    std::snprintf(json, sizeof json, ", \"ratio_%s_only\": %.3f, \"ratio_tested\": %.3f},\n", action,
                  Ratio(program, bare).Median(), ratio.Median());
    report.json += json;
}

// The earlier program against this one, run side by side in every
// repetition: each phase's median for both, this one's time over the
// earlier one's in every repetition, and the own costs per folder.
void SideBySide(Report& report, Figures& figures, double folders, double emptyDialogPeak) {
    report.Line("before and after, side by side (baseline: the earlier program):\n");
    report.json += ",\n  \"baseline\": {";
    const char* separator = "";
    const auto phase = [&](const char* key, const char* name, const char* floor) {
        const Figure& before = figures[std::string("baseline: ") + name];
        const Figure& after = figures[std::string("program: ") + name];
        const Figure ratio = Ratio(after, before);
        report.Line("  %-22s baseline %8.3f s, program %8.3f s, program/baseline %.2f [%.2f, %.2f]", name,
                    before.Median(), after.Median(), ratio.Median(), ratio.Min(), ratio.Max());
        char json[256];
        std::snprintf(json, sizeof json, "%s\"%s_s\": %.3f", separator, key, before.Median());
        report.json += json;
        separator = ", ";
        if (floor != nullptr) {
            const double ownBefore = OwnCostPerFolder(before, figures[floor], folders).Median();
            const double ownAfter = OwnCostPerFolder(after, figures[floor], folders).Median();
            report.Line(", own cost %.1f -> %.1f us/folder", ownBefore, ownAfter);
            std::snprintf(json, sizeof json, ", \"%s_own_us_per_folder\": %.1f", key, ownBefore);
            report.json += json;
        }
        report.Line("\n");
    };
    phase("scan", "scan", "floor: listing");
    phase("copy", "copy", "floor: creation alone");
    phase("undo", "undo", "floor: removal alone");
    phase("click", "list click", nullptr);
    phase("selecting_click", "selecting list click", nullptr);
    phase("deselect_all", "deselect all", nullptr);
    phase("select_all", "select all", nullptr);
    const double before = figures["baseline: peak"].Max() / 1048576.0;
    const double after = figures["program: peak"].Max() / 1048576.0;
    report.Line("  peak above the empty program after one dialog: baseline %.1f MB, program %.1f MB\n",
                before - emptyDialogPeak, after - emptyDialogPeak);
    char json[128];
    std::snprintf(json, sizeof json, ", \"above_dialog_mb\": %.1f}", before - emptyDialogPeak);
    report.json += json;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6 && argc != 7) {
        std::fprintf(stderr, "usage: e2e_benchmark TREE WORK REPETITIONS RESULTS.txt RESULTS.json [BASELINE.exe]\n");
        return 2;
    }
    const std::string tree = argv[1];
    const std::string work = argv[2];
    const int repetitions = std::max(1, std::atoi(argv[3]));
    const std::wstring baseline = argc == 7 ? rt::ToWide(argv[6]) : L"";
    Figures figures;
    for (int repetition = 0; repetition < repetitions; ++repetition) {
        for (const char* folder : {"\\start", "\\copy", "\\floor"}) test::MakeFolders(work + folder);
        RunTheFloors(tree, work, figures);
        figures["xcopy /T /E"].values.push_back(RunXcopy(rt::ToWide(tree), rt::ToWide(work) + L"\\xcopy"));
        test::RemoveTree(work + "\\xcopy");
        // The earlier program goes first in every other repetition.
        if (!baseline.empty() && repetition % 2 == 0) UseTheProgram(baseline, "baseline", tree, work, figures);
        UseTheProgram(L"", "program", tree, work, figures);
        if (!baseline.empty() && repetition % 2 == 1) UseTheProgram(baseline, "baseline", tree, work, figures);
    }
    const std::wstring self = test::ThisTestProgram();
    const std::wstring emptyProgram = self.substr(0, self.find_last_of(L'\\') + 1) + L"empty_window.exe";
    const double emptyPeak = static_cast<double>(EmptyWindowPeak(emptyProgram, false)) / 1048576.0;
    const double emptyDialogPeak = static_cast<double>(EmptyWindowPeak(emptyProgram, true)) / 1048576.0;
    const double peak = figures["program: peak"].Max() / 1048576.0;
    const double folders = figures["folders"].Median();

    Report report;
    report.Line("folders: %.0f, repetitions: %d (median [smallest, largest] of the repetitions)\n", folders,
                repetitions);
    report.json = "{\n";
    Phase(report, "scan", "scan to list shown:", figures["program: scan"], figures["floor: listing"],
          "floor listing", folders, 0.80);
    const Figure aheadRatio = Ratio(figures["program: scan"], figures["floor: listing ahead"]);
    report.Line("%-22s against the floor listing ahead by %d threads %.2f s: ratio %.2f [%.2f, %.2f]\n", "",
                rt::DefaultAheadThreads(), figures["floor: listing ahead"].Median(), aheadRatio.Median(), aheadRatio.Min(),
                aheadRatio.Max());
    char aheadJson[256];
    std::snprintf(aheadJson, sizeof aheadJson,
                  ", \"floor_ahead_s\": %.3f, \"ahead_threads\": %d, \"ratio_ahead\": %.3f, "
                  "\"min_ratio_ahead\": %.3f, \"max_ratio_ahead\": %.3f",
                  figures["floor: listing ahead"].Median(), rt::DefaultAheadThreads(), aheadRatio.Median(), aheadRatio.Min(),
                  aheadRatio.Max());
    report.json += aheadJson;
    report.json += "},\n";
    Phase(report, "copy", "copy of everything:", figures["program: copy"], figures["floor: creation alone"],
          "creation alone", folders, 1.0);
    AgainstTestedFloor(report, "create", figures["program: copy"], figures["floor: creation alone"],
                       figures["floor: existence test + creation"], "existence test + creation");
    Phase(report, "undo", "undo:", figures["program: undo"], figures["floor: removal alone"], "removal alone",
          folders, 1.0);
    AgainstTestedFloor(report, "remove", figures["program: undo"], figures["floor: removal alone"],
                       figures["floor: existence test + removal"], "existence test + removal");

    const Figure scanCopy = Sum(figures["program: scan"], figures["program: copy"]);
    const Figure xcopyRatio = Ratio(scanCopy, figures["xcopy /T /E"]);
    report.Line("%-22s program %.2f s, xcopy /T /E %.2f s, ratio %.2f [%.2f, %.2f] (target 0.50)\n",
                "scan + copy:", scanCopy.Median(), figures["xcopy /T /E"].Median(), xcopyRatio.Median(),
                xcopyRatio.Min(), xcopyRatio.Max());
    char json[1024];
    std::snprintf(json, sizeof json,
                  "  \"scan_copy\": {\"program_s\": %.3f, \"floor_s\": %.3f, \"ratio_xcopy\": %.3f, "
                  "\"min_ratio\": %.3f, \"max_ratio\": %.3f},\n",
                  scanCopy.Median(), figures["xcopy /T /E"].Median(), xcopyRatio.Median(), xcopyRatio.Min(),
                  xcopyRatio.Max());
    report.json += json;

    const Figure& click = figures["program: list click"];
    const Figure& selectingClick = figures["program: selecting list click"];
    report.Line("one list click on the last of %.0f items: %.1f ms [%.1f, %.1f] (target 20 ms in every repetition)\n",
                folders, click.Median() * 1000, click.Min() * 1000, click.Max() * 1000);
    report.Line("  one that selects it and the folders above it: %.1f ms [%.1f, %.1f]\n",
                selectingClick.Median() * 1000, selectingClick.Min() * 1000, selectingClick.Max() * 1000);
    report.Line("deselect all %.2f s, select all %.2f s, export %.2f s\n", figures["program: deselect all"].Median(),
                figures["program: select all"].Median(), figures["program: export"].Median());
    report.Line("peak working set: program %.1f MB (%.1f MB after start-up, %.1f MB after the scan, %.1f MB after "
                "the copy), empty window program %.1f MB, %.1f MB after one save dialog\n",
                peak, figures["program: peak after start-up"].Median() / 1048576.0,
                figures["program: peak after the scan"].Max() / 1048576.0,
                figures["program: peak after the copy"].Max() / 1048576.0, emptyPeak, emptyDialogPeak);
    report.Line("  the program above the empty window program after one save dialog: %.1f MB (target 9 MB)\n",
                peak - emptyDialogPeak);
    std::snprintf(json, sizeof json,
                  "  \"click\": {\"ms\": %.1f, \"min_ms\": %.1f, \"max_ms\": %.1f, \"selecting_ms\": %.1f, "
                  "\"selecting_min_ms\": %.1f, \"selecting_max_ms\": %.1f},\n"
                  "  \"memory\": {\"above_dialog_mb\": %.1f, \"program_mb\": %.1f, \"empty_dialog_mb\": %.1f}",
                  click.Median() * 1000, click.Min() * 1000, click.Max() * 1000, selectingClick.Median() * 1000,
                  selectingClick.Min() * 1000, selectingClick.Max() * 1000, peak - emptyDialogPeak, peak,
                  emptyDialogPeak);
    report.json += json;
    if (!baseline.empty()) SideBySide(report, figures, folders, emptyDialogPeak);
    report.json += "\n}\n";

    std::fputs(report.text.c_str(), stdout);
    for (const auto& [path, content] : {std::pair{argv[4], &report.text}, std::pair{argv[5], &report.json}}) {
        if (FILE* file = std::fopen(path, "w")) {
            std::fputs(content->c_str(), file);
            std::fclose(file);
        }
    }
    return 0;
}
