#pragma once

#include <windows.h>

#include <cstddef>
#include <span>
#include <string_view>

namespace shell {

enum class ControlKind { kStaticLeft, kStaticRight, kList, kButton, kCheck, kEdit };

struct ControlDefinition {
    std::string_view name;
    ControlKind kind;
    std::string_view text;
    int x, y, width, height;
    bool initiallyDisabled;
};

struct FormDefinition {
    std::string_view name;
    std::string_view caption;
    int width, height;
    std::string_view fontFace;
    int fontSize;
};

inline constexpr int kFirstControlId = 1;
inline constexpr int kControlCount = 19;

// The events the window raises for the program: ON, CHANGE, CLICK, RESIZE,
// and two that carry what the user pointed at: MENU, the list's menu asked for
// on an item, and DROPFILES, items dropped on the window.
enum class Event { kOn, kChange, kClick, kResize, kMenu, kDropFiles };
inline constexpr std::size_t kEventCount = 6;

std::string_view EventName(Event event);

// MAINFORM and its controls, in creation order, which is also the Tab order.
// A control's id is kFirstControlId plus its index.
const FormDefinition& MainFormDefinition();
std::span<const ControlDefinition> MainFormControls();

// The events each kind of window raises; only those with a procedure are live.
std::span<const Event> EventsOf(ControlKind kind);
std::span<const Event> FormEvents();
// The events with an argument (shell/ArgumentEvents.h) each kind raises.
std::span<const Event> ArgumentEventsOf(ControlKind kind);
std::span<const Event> FormArgumentEvents();

}  // namespace shell
