#pragma once

#include <functional>
#include <vector>

namespace test {

// Runs the whole program in this process, start-up to end, on real windows.
// The steps run one after another inside its event loop, as if they were
// event procedures: each after the main body's set-up, and after every event
// that the step before it caused. After the last step the window is closed.
// The program's exit code.
int RunProgramWith(std::vector<std::function<void()>> steps);

}  // namespace test
