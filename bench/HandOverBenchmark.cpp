#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "runtime/run/Pool.h"

// What handing one call to the worker costs: calls that do nothing, handed
// over one after another as the file statements hand theirs, in
// microseconds per call (median of the rounds, with the smallest and largest).
namespace {

constexpr int kCallsPerRound = 5000;

double MicrosecondsPerCall() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kCallsPerRound; ++i) rt::CallOnWorker([] {});
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart) /
           kCallsPerRound;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    double figures[64];
    const int count = std::min(rounds, 64);
    MicrosecondsPerCall();
    for (int i = 0; i < count; ++i) figures[i] = MicrosecondsPerCall();
    std::sort(figures, figures + count);
    std::printf("hand-over: %.1f us per call [%.1f, %.1f], %d rounds of %d calls\n", figures[count / 2], figures[0],
                figures[count - 1], count, kCallsPerRound);
    return 0;
}
