// The source command, the copy run and the undo in process, each against the
// bare system calls it cannot do without, run side by side in every
// repetition; and where the source command's own time goes, measured piece
// by piece with the program's own operations. A developer's tool.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Figures.h"
#include "Floor.h"
#include "program/Program.h"
#include "runtime/files/OpenFiles.h"
#include "runtime/files/ReadAhead.h"
#include "runtime/lang/Strings.h"
#include "runtime/run/Pool.h"
#include "runtime/run/RunHooks.h"
#include "runtime/run/StatementPoll.h"
#include "runtime/system/Cp932.h"
#include "shell/ListOperations.h"
#include "shell/MainWindow.h"
#include "support/ProgramDriver.h"
#include "support/ProgramRun.h"
#include "support/ScriptedModalUi.h"
#include "support/TempFolder.h"

namespace {

using bench::Figures;
using bench::Listing;
using bench::Now;
using bench::SecondsSince;

// Statements the walk runs per folder found, counted on this tree: about a
// dozen for the listing of the folder and as many for its entry in its
// parent's listing.
constexpr int kStatementsPerFolder = 24;

// The pieces of the source command, each done alone as often as the command
// does it, in seconds.
void MeasurePieces(Figures& figures, const std::string& logFolder, double scanSeconds) {
    const int folders = static_cast<int>(program::folderCount);
    LONGLONG start = Now();
    rt::OpenForOutput(logFolder + "\\pieces.txt", 3);
    for (int i = 0; i < folders; ++i) {
        const std::string& path = program::folderNames[i];
        rt::WriteLine(3, "(" + rt::MidBytes(rt::NumText(rt::ByteLen(rt::WrittenForm(path))), 2) + ") " + path);
    }
    rt::CloseFiles({3});
    figures["piece: scan log lines"].values.push_back(SecondsSince(start));

    start = Now();
    for (int i = 0; i < folders; ++i) shell::SetCaption(program::TEXT1, rt::NumText(i + 1));
    shell::TheForm()->Procedures().Settle(rt::SettlePoint::kProcedureEnded);
    figures["piece: counter captions"].values.push_back(SecondsSince(start));

    // One paint of a long procedure, with a new count to show, times the
    // paints of this scan (one every 150 ms).
    constexpr int kPaints = 50;
    start = Now();
    for (int i = 0; i < kPaints; ++i) {
        shell::SetCaption(program::TEXT1, rt::NumText(i));
        rt::Hooks().paint();
    }
    const double paintSeconds = SecondsSince(start) / kPaints;
    figures["piece: painting every 150 ms"].values.push_back(paintSeconds * scanSeconds / 0.15);

    start = Now();
    for (int i = 0; i < folders * kStatementsPerFolder; ++i) rt::Line(1);
    figures["piece: statement markers"].values.push_back(SecondsSince(start));

    std::wstring wide;
    start = Now();
    for (int i = 0; i < folders; ++i) {
        wide = rt::ToWide(program::sourceBase + program::folderNames[i] + "\\*.*");
        (void)rt::ToCp932Shown(wide.substr(wide.size() - 8));
    }
    figures["piece: name conversions"].values.push_back(SecondsSince(start));

    start = Now();
    program::ADD_LIST1_SUB();
    shell::TheForm()->Procedures().Settle(rt::SettlePoint::kProcedureEnded);
    figures["piece: list fill"].values.push_back(SecondsSince(start));
    start = Now();
    for (int i = 0; i < folders; ++i) program::folderNames[i] = shell::ItemText(program::LIST1, i);
    figures["piece: list read back"].values.push_back(SecondsSince(start));
    start = Now();
    program::SET_LIST1_SUB();
    shell::TheForm()->Procedures().Settle(rt::SettlePoint::kProcedureEnded);
    figures["piece: select all"].values.push_back(SecondsSince(start));
    // What a click on the last item does first: every item's highlight
    // asked, in one procedure.
    start = Now();
    for (int i = 0; i < folders; ++i) (void)shell::GetSelection(program::LIST1, i);
    shell::TheForm()->Procedures().Settle(rt::SettlePoint::kProcedureEnded);
    figures["piece: highlights read"].values.push_back(SecondsSince(start));
}

// One repetition: the floors and the program in turn.
void Repetition(const std::string& root, const std::string& work, int threads, Figures& figures) {
    const std::wstring wideRoot = rt::ToWide(root);
    const std::wstring bare = rt::ToWide(work) + L"\\bare";
    test::MakeFolders(work + "\\bare");
    test::MakeFolders(work + "\\copy");

    LONGLONG start = Now();
    const std::vector<std::wstring> folders = bench::ListTree(wideRoot);
    figures["floor: listing"].values.push_back(SecondsSince(start));
    start = Now();
    const bool sameListing = bench::ListTree(wideRoot, Listing::kBasicLargeFetch) == folders;
    figures["floor: listing, basic + large fetch"].values.push_back(SecondsSince(start));
    if (!sameListing) std::fprintf(stderr, "the basic listing differs from the plain one\n");
    figures["folders"].values.push_back(static_cast<double>(folders.size()));
    start = Now();
    const bool sameAhead = bench::ListTreeAhead(wideRoot, threads) == folders;
    figures["floor: listing ahead, " + std::to_string(threads) + " threads"].values.push_back(SecondsSince(start));
    if (!sameAhead) std::fprintf(stderr, "the listing ahead differs from the plain one\n");
    figures["floor: creation alone"].values.push_back(bench::CreateAll(bare, folders, false));
    figures["floor: removal alone"].values.push_back(bench::RemoveAll(bare, folders, false));
    figures["floor: existence test + creation"].values.push_back(bench::CreateAll(bare, folders, true));
    figures["floor: existence test + removal"].values.push_back(bench::RemoveAll(bare, folders, true));

    test::ScriptedModalUi ui;
    ui.dialogAnswers.push_back(rt::ToWide(root + "\\DUMMY"));
    ui.dialogAnswers.push_back(rt::ToWide(work + "\\copy\\DUMMY"));
    test::RunProgramWith({
        [&] {
            rt::ThePool().SetAheadThreads(threads);
            start = Now();
            test::Click(program::BUTTON5);
        },
        [&] {
            figures["program: source command"].values.push_back(SecondsSince(start));
            start = Now();
            (void)bench::ListTree(wideRoot);
            figures["floor: listing again, after the scan"].values.push_back(SecondsSince(start));
            MeasurePieces(figures, work, figures["program: source command"].values.back());
            test::Click(program::BUTTON6);
        },
        [&] {
            start = Now();
            test::Click(program::BUTTON7);
        },
        [&] {
            figures["program: copy run"].values.push_back(SecondsSince(start));
            start = Now();
            test::Click(program::BUTTON9);
        },
        [&] { figures["program: undo"].values.push_back(SecondsSince(start)); },
    });
    test::RemoveTree(work + "\\bare");
    test::RemoveTree(work + "\\copy");
}

void Print(const Figures& figures) {
    const double folders = figures.at("folders").Median();
    std::printf("folders: %.0f, repetitions: %zu (median [min, max])\n", folders,
                figures.at("folders").values.size());
    for (const auto& [name, figure] : figures) {
        if (name == "folders") continue;
        std::printf("%-40s %7.3f s [%.3f, %.3f]  %7.1f us/folder\n", name.c_str(), figure.Median(), figure.Min(),
                    figure.Max(), figure.Median() / folders * 1e6);
    }
    const auto own = [&](const char* program, const char* floor) {
        const bench::Figure perFolder = bench::OwnCostPerFolder(figures.at(program), figures.at(floor), folders);
        std::printf("own cost of %-28s %7.1f us/folder [%.1f, %.1f] above %s\n", program + 9, perFolder.Median(),
                    perFolder.Min(), perFolder.Max(), floor + 7);
    };
    own("program: source command", "floor: listing");
    for (const auto& [name, figure] : figures) {
        if (!name.starts_with("floor: listing ahead")) continue;
        const bench::Figure ratio = bench::Ratio(figures.at("program: source command"), figure);
        std::printf("source command over %-28s %.2f [%.2f, %.2f]\n", name.c_str() + 7, ratio.Median(), ratio.Min(),
                    ratio.Max());
    }
    own("program: copy run", "floor: creation alone");
    own("program: undo", "floor: removal alone");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: scan_benchmark TREE WORK REPETITIONS\n");
        return 2;
    }
    const std::string root = argv[1];
    const std::string work = argv[2];
    // The walk's workers, the program's own number unless told otherwise;
    // the floor listing ahead uses as many.
    const char* threadsAsked = std::getenv("SORATN2_BENCH_THREADS");
    const int threads = threadsAsked != nullptr ? std::atoi(threadsAsked) : rt::DefaultAheadThreads();
    std::printf("listing threads: %d\n", threads);
    Figures figures;
    for (int repetition = std::max(1, std::atoi(argv[3])); repetition > 0; --repetition) {
        Repetition(root, work, threads, figures);
    }
    Print(figures);
    return 0;
}
