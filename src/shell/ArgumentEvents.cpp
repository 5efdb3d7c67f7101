#include "shell/ArgumentEvents.h"

#include <new>

#include "runtime/run/EventQueue.h"

namespace shell {

namespace {

constexpr int kFormId = 0;

std::string ProcedureName(std::string_view window, Event event) {
    return std::string(window) + "_" + std::string(EventName(event));
}

}  // namespace

void ArgumentEvents::Bind(const ArgumentProcedureLookup& lookup) {
    for (const Event event : FormArgumentEvents()) {
        bindings_[kFormId][static_cast<std::size_t>(event)] = lookup(ProcedureName(MainFormDefinition().name, event));
    }
    const auto controls = MainFormControls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        for (const Event event : ArgumentEventsOf(controls[i].kind)) {
            bindings_[kFirstControlId + i][static_cast<std::size_t>(event)] = lookup(ProcedureName(controls[i].name, event));
        }
    }
}

bool ArgumentEvents::Bound(int id, Event event) const {
    if (id < kFormId || id > kControlCount) return false;
    return static_cast<bool>(bindings_[static_cast<std::size_t>(id)][static_cast<std::size_t>(event)]);
}

void ArgumentEvents::Raise(int id, Event event, const EventArgument& argument) const noexcept {
    if (!Bound(id, event)) return;
    try {
        const ArgumentProcedure& procedure = bindings_[static_cast<std::size_t>(id)][static_cast<std::size_t>(event)];
        rt::QueueEvent([procedure, argument] { procedure(argument); });
    } catch (const std::bad_alloc&) {
        // The event is lost, as one beyond the queue's 64 is.
    }
}

}  // namespace shell
