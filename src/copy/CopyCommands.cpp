#include "app/Program.h"

namespace program {

// Destination, copy run, undo and list export.
void BUTTON6_ON(ControlHandle&) {}
void BUTTON7_ON(ControlHandle&) {}
void BUTTON8_ON(ControlHandle&) {}
void BUTTON9_ON(ControlHandle&) {}

}  // namespace program
