#include "runtime/run/RunHooks.h"

#include "runtime/run/RunState.h"
#include "runtime/run/StatementPoll.h"

namespace rt {

namespace {

constexpr RunHooks kNoHooks{};

}  // namespace

RunHooksInstalled::RunHooksInstalled(const RunHooks& hooks) : run_(*CurrentRunState()) { run_.hooks = hooks; }

RunHooksInstalled::~RunHooksInstalled() { run_.hooks = RunHooks{}; }

const RunHooks& Hooks() {
    const RunState* run = CurrentRunState();
    return run != nullptr ? run->hooks : kNoHooks;
}

HWND MainWindow() { return Hooks().mainWindow; }

void SettleAt(SettlePoint point) {
    if (Hooks().settle != nullptr && InEventProcedure()) Hooks().settle(point);
}

}  // namespace rt
