#include "runtime/run/RunHooks.h"

#include "runtime/run/StatementPoll.h"

namespace rt {

namespace {

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
