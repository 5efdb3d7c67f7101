#include "app/Program.h"

namespace program {

// The selection commands act on the folder list, which the source command fills.
void BUTTON3_ON(ControlHandle&) {}
void BUTTON4_ON(ControlHandle&) {}
void CHECK1_ON(ControlHandle&) {}
void LIST1_CLICK(ControlHandle&) {}

}  // namespace program
