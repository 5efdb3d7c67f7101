#include "app/Program.h"

namespace program {

void BUTTON5_ON(ControlHandle&) {}

}  // namespace program
