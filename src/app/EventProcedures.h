#pragma once

#include <functional>
#include <string_view>

#include "shell/ArgumentEvents.h"

namespace app {

// The program's event procedure of that name ("BUTTON5_ON"), called with
// MAINFORM; empty when the program has no procedure of that name.
std::function<void()> EventProcedure(std::string_view name);

// The same for the events with an argument ("LIST1_MENU", "MAINFORM_DROPFILES").
shell::ArgumentProcedure ArgumentEventProcedure(std::string_view name);

}  // namespace app
