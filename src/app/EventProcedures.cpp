#include "app/EventProcedures.h"

#include <array>
#include <utility>

#include "program/Program.h"

namespace app {

namespace {

using Procedure = void (*)(program::ControlHandle& form);

constexpr std::array<std::pair<std::string_view, Procedure>, 12> kProcedures{{
    {"BUTTON1_ON", program::BUTTON1_ON},
    {"BUTTON2_ON", program::BUTTON2_ON},
    {"BUTTON3_ON", program::BUTTON3_ON},
    {"BUTTON4_ON", program::BUTTON4_ON},
    {"BUTTON5_ON", program::BUTTON5_ON},
    {"BUTTON6_ON", program::BUTTON6_ON},
    {"BUTTON7_ON", program::BUTTON7_ON},
    {"BUTTON8_ON", program::BUTTON8_ON},
    {"BUTTON9_ON", program::BUTTON9_ON},
    {"CHECK1_ON", program::CHECK1_ON},
    {"LIST1_CLICK", program::LIST1_CLICK},
    {"MAINFORM_RESIZE", program::MAINFORM_RESIZE},
}};

// The procedures of the events that carry what the user pointed at.
using ArgumentProcedure = void (*)(program::ControlHandle& form, const shell::EventArgument& argument);

constexpr std::array<std::pair<std::string_view, ArgumentProcedure>, 4> kArgumentProcedures{{
    {"LIST1_MENU", [](program::ControlHandle& form, const shell::EventArgument& argument) {
         program::LIST1_MENU(form, argument.item);
     }},
    {"MAINFORM_DROPFILES", [](program::ControlHandle& form, const shell::EventArgument& argument) {
         program::MAINFORM_DROPFILES(form, argument.count, argument.path);
     }},
    {"BUTTON6_DROPFILES", [](program::ControlHandle& form, const shell::EventArgument& argument) {
         program::BUTTON6_DROPFILES(form, argument.count, argument.path);
     }},
    {"TEXT7_DROPFILES", [](program::ControlHandle& form, const shell::EventArgument& argument) {
         program::TEXT7_DROPFILES(form, argument.count, argument.path);
     }},
}};

}  // namespace

std::function<void()> EventProcedure(std::string_view name) {
    for (const auto& [procedureName, procedure] : kProcedures) {
        if (procedureName == name) {
            return [procedure] { procedure(program::MAINFORM); };
        }
    }
    return {};
}

shell::ArgumentProcedure ArgumentEventProcedure(std::string_view name) {
    for (const auto& [procedureName, procedure] : kArgumentProcedures) {
        if (procedureName == name) {
            return [procedure](const shell::EventArgument& argument) { procedure(program::MAINFORM, argument); };
        }
    }
    return {};
}

}  // namespace app
