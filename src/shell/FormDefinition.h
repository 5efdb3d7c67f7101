#pragma once

#include <windows.h>

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

// MAINFORM and its controls, in creation order, which is also the Tab order.
// A control's id is kFirstControlId plus its index.
const FormDefinition& MainFormDefinition();
std::span<const ControlDefinition> MainFormControls();

// The events each kind of window can raise; only those with a procedure are live.
std::span<const std::string_view> EventsOf(ControlKind kind);
std::span<const std::string_view> FormEvents();

}  // namespace shell
