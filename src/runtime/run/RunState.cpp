#include "runtime/run/RunState.h"

namespace rt {

namespace {

// The one object kept for the process for the run: every statement of the
// program reaches its run through the statement marker alone, and window
// procedures carry no object of the program's. Set and restored by the runs
// themselves.
RunState* current = nullptr;

}  // namespace

RunState::RunState() : previous_(current) { current = this; }

RunState::~RunState() {
    pool.End();
    current = previous_;
}

RunState* CurrentRunState() { return current; }

}  // namespace rt
