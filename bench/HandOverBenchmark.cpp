#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/run/Pool.h"
#include "runtime/run/RunState.h"

// What handing one call to the run's pool costs, in microseconds per call
// (median of the rounds, with the smallest and largest): calls that do
// nothing, handed over one after another; and a folder made and removed on
// the program's thread against the same each handed over as the file
// statements hand theirs, the difference per call. Both depend on what else
// the machine does: the smallest is the cost on a quiet one.
namespace {

constexpr int kPairsPerRound = 2000;

double Now() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

double MicrosecondsPerEmptyCall() {
    const double start = Now();
    for (int i = 0; i < 2 * kPairsPerRound; ++i) rt::CallOnWorker([] {});
    return (Now() - start) / (2 * kPairsPerRound);
}

double MicrosecondsPerPair(const std::wstring& folder, bool handedOver) {
    const double start = Now();
    for (int i = 0; i < kPairsPerRound; ++i) {
        if (handedOver) {
            rt::CallOnWorker([folder] { CreateDirectoryW(folder.c_str(), nullptr); });
            rt::CallOnWorker([folder] { RemoveDirectoryW(folder.c_str()); });
        } else {
            CreateDirectoryW(folder.c_str(), nullptr);
            RemoveDirectoryW(folder.c_str());
        }
    }
    return (Now() - start) / kPairsPerRound;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = std::clamp(argc > 1 ? std::atoi(argv[1]) : 9, 1, 99);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"soratn2-handover-" + std::to_wstring(GetCurrentProcessId());
    const rt::RunState run;
    std::vector<double> empty;
    std::vector<double> direct;
    std::vector<double> handOver;
    MicrosecondsPerPair(folder, true);
    for (int i = 0; i < rounds; ++i) {
        empty.push_back(MicrosecondsPerEmptyCall());
        const double alone = MicrosecondsPerPair(folder, false);
        const double handed = MicrosecondsPerPair(folder, true);
        direct.push_back(alone / 2);
        handOver.push_back((handed - alone) / 2);
    }
    const auto print = [](const char* what, std::vector<double> figures) {
        std::sort(figures.begin(), figures.end());
        std::printf("%-38s %7.1f us [%.1f, %.1f]\n", what, figures[figures.size() / 2], figures.front(),
                    figures.back());
    };
    std::printf("%d rounds of %d calls\n", rounds, 2 * kPairsPerRound);
    print("hand-over of a call that does nothing", empty);
    print("folder made or removed alone", direct);
    print("hand-over of a folder made or removed", handOver);
    return 0;
}
