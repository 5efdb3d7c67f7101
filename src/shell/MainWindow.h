#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <string_view>

#include "runtime/run/RunHooks.h"
#include "shell/ArgumentEvents.h"
#include "shell/DisplayScale.h"
#include "shell/Fonts.h"
#include "shell/FormColours.h"
#include "shell/FormDefinition.h"
#include "shell/FormIcons.h"
#include "shell/KeyboardNavigation.h"
#include "shell/ProcedureState.h"

namespace shell {

// The program's procedure of a given name ("BUTTON5_ON"), or an empty
// function when the program has none.
using ProcedureLookup = std::function<std::function<void()>(std::string_view name)>;

// MAINFORM for the length of a run, with everything the shell keeps for it:
// the program's procedures bound to its events, the fonts, icons and colours
// its windows use, the dots per inch it is drawn at, the keyboard's pressed
// button, and what is held back from its controls during a procedure.
// Destroyed, it destroys the window first and then gives back the fonts and
// icons, so the next run starts afresh. One form at a time.
class MainForm {
public:
    // Creates the form and its controls, hidden and centred, and binds every
    // event the form lists to the program's procedure of the same name. The
    // window shows the icon resource `icon` of the instance, or the system's
    // own when the instance has none. Window() is null when the window class
    // or a window cannot be made. The events with an argument (the list's
    // menu, a drop) are bound through `argumentLookup` the same way.
    MainForm(HINSTANCE instance, int icon, const ProcedureLookup& lookup,
             const ArgumentProcedureLookup& argumentLookup);
    ~MainForm();
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;

    HWND Window() const { return window_; }


    // Destroys the window and forgets the bound events, at the program's end.
    void Destroy();

    // Queues the procedure bound to the event of the window (0 is the form,
    // then the control ids); an event without one is not even queued.
    void RaiseEvent(int id, Event event);
    const ArgumentEvents& EventsWithArguments() const { return argumentEvents_; }

    // The dots per inch the form is laid out for: the system's when it is
    // created, then each new value the system announces.
    int Dpi() const { return dpi_; }
    void SetDpi(int dpi) { dpi_ = dpi; }

    FontTable& Fonts() { return fonts_; }
    FormIconSet& Icons() { return icons_; }
    FormColours& Colours() { return colours_; }
    ProcedureState& Procedures() { return procedures_; }

private:
    // Fixed in size, so raising an event looks up and queues without
    // allocating inside the window procedure.
    using EventBindings = std::array<std::array<std::function<void()>, kEventCount>, kControlCount + 1>;

    // The run's hooks into the form: its window, the keyboard's filter, the
    // paint while a procedure runs, and the settling of its controls.
    // Installed in the run in force as soon as the window is made, for as long
    // as the form stands.
    rt::RunHooks Hooks();
    bool CreateControls(HINSTANCE instance);
    // The run's paint hook: the counters' new texts given at the named point,
    // then what needs it painted, the counters first of all, taking no message.
    void PaintWhileBusy();
    void BindEvents(const ProcedureLookup& lookup);

    HWND window_ = nullptr;
    int dpi_ = kProgramDpi;
    EventBindings bindings_;
    ArgumentEvents argumentEvents_;
    FontTable fonts_;
    FormIconSet icons_;
    FormColours colours_;
    KeyboardNavigation keyboard_;
    ProcedureState procedures_;
    std::optional<rt::RunHooksInstalled> hooks_;
};

// The registered message "SORATN2.Busy", which the form answers with 1
// while an event procedure runs or waits to run and with 0 while the program
// waits for the user. The window answers the messages other programs send it
// during a long procedure too, so a program that drives it (an automation
// tool, the end-to-end tests) asks this to tell a command under way from one
// done.
UINT BusyQueryMessage();

// The form of the run in progress, which installed the run's hooks; null
// outside a run and once the form is destroyed. The hooks and the operations
// on controls reach it here, since control handles carry no object of the
// program's.
MainForm* TheForm();

}  // namespace shell
