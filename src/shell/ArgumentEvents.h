#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "runtime/lang/Numbers.h"
#include "shell/FormDefinition.h"

namespace shell {

// What an event with an argument hands its procedure.
struct EventArgument {
    rt::Single item = 0;   // MENU: the item the list's menu is for
    rt::Single count = 0;  // DROPFILES: how many items were dropped
    std::string path;      // DROPFILES: the full path of the first, "" when it has no exact code page 932 form
};

using ArgumentProcedure = std::function<void(const EventArgument& argument)>;

// The program's procedure of a given name ("LIST1_MENU") that takes an
// argument, or an empty function when the program has none.
using ArgumentProcedureLookup = std::function<ArgumentProcedure(std::string_view name)>;

// The events of the form that carry an argument, bound by name as the others
// are (the control's name, "_", the event's name).
class ArgumentEvents {
public:
    void Bind(const ArgumentProcedureLookup& lookup);
    void Clear() { bindings_ = Bindings{}; }

    // A procedure is bound to the event of the window (0 is the form, then
    // the control ids).
    bool Bound(int id, Event event) const;

    // Queues the bound procedure with its argument, like a click's. Never
    // throws: an event without a procedure, or one that finds no memory for
    // its argument, is not queued.
    void Raise(int id, Event event, const EventArgument& argument) const noexcept;

private:
    using Bindings = std::array<std::array<ArgumentProcedure, kEventCount>, kControlCount + 1>;
    Bindings bindings_;
};

}  // namespace shell
