#include "app/EventProcedures.h"

#include <array>
#include <utility>

#include "app/DeferredRedraw.h"
#include "app/Program.h"

namespace program {

namespace {

using Procedure = void (*)(ControlHandle& form);

constexpr std::array<std::pair<std::string_view, Procedure>, 12> kProcedures{{
    {"BUTTON1_ON", BUTTON1_ON},
    {"BUTTON2_ON", BUTTON2_ON},
    {"BUTTON3_ON", BUTTON3_ON},
    {"BUTTON4_ON", BUTTON4_ON},
    {"BUTTON5_ON", BUTTON5_ON},
    {"BUTTON6_ON", BUTTON6_ON},
    {"BUTTON7_ON", BUTTON7_ON},
    {"BUTTON8_ON", BUTTON8_ON},
    {"BUTTON9_ON", BUTTON9_ON},
    {"CHECK1_ON", CHECK1_ON},
    {"LIST1_CLICK", LIST1_CLICK},
    {"MAINFORM_RESIZE", MAINFORM_RESIZE},
}};

}  // namespace

std::function<void()> EventProcedure(std::string_view name) {
    for (const auto& [procedureName, procedure] : kProcedures) {
        if (procedureName == name) {
            return [procedure] {
                procedure(MAINFORM);
                app::ShowDeferredChanges();
            };
        }
    }
    return {};
}

}  // namespace program
