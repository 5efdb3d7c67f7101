#include "runtime/run/RunHooks.h"

#include "runtime/run/StatementPoll.h"

namespace rt {

namespace {

// Set and cleared by the run's RunHooksInstalled; the poll and the reports,
// reached from anywhere in the program, find the run's hooks here.
RunHooks installed;

}  // namespace

RunHooksInstalled::RunHooksInstalled(const RunHooks& hooks) { installed = hooks; }

RunHooksInstalled::~RunHooksInstalled() { installed = RunHooks{}; }

const RunHooks& Hooks() { return installed; }

HWND MainWindow() { return installed.mainWindow; }

void SettleAt(SettlePoint point) {
    if (installed.settle != nullptr && InEventProcedure()) installed.settle(point);
}

}  // namespace rt
