#include "app/Startup.h"

#include <new>

#include "app/EventProcedures.h"
#include "app/res/Resources.h"
#include "program/Program.h"
#include "runtime/dialogs/ModalUi.h"
#include "runtime/dialogs/Reports.h"
#include "runtime/files/OpenFiles.h"
#include "runtime/files/Run.h"
#include "runtime/lang/ErrorNumbers.h"
#include "runtime/lang/RuntimeError.h"
#include "runtime/run/StatementPoll.h"
#include "runtime/system/Cp932.h"
#include "shell/MainWindow.h"

namespace app {

namespace {

// What the program and the lent places keep beyond the run object, back to
// the state of a fresh start: at the start of every run and again once it has
// ended, however it ended.
void ForgetProgramState() {
    rt::ForgetLentCharacters();
    program::ClearVariables();
}

// Files still open get their end mark, then the windows go.
void EndProgram(shell::MainForm& form) {
    rt::CloseFilesAtTheEnd();
    form.Destroy();
    SetUnhandledExceptionFilter(nullptr);
}

void RunMainBody(void (*mainBody)()) {
    try {
        mainBody();
    } catch (const rt::ProgramEnd& end) {
        if (end.interrupted) rt::ReportInterruption();
    } catch (const rt::RuntimeError& error) {
        rt::ReportRuntimeError(error.Number());
    } catch (const std::bad_alloc&) {
        rt::ReportRuntimeError(rt::err::kOutOfMemory);
    }
}

}  // namespace

int RunProgram(HINSTANCE instance, int showState, void (*mainBody)()) {
    // The program reports failures itself.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    ForgetProgramState();
    {
        // The run is there before the form, whose making queues events, and
        // ends after it, however the program ended: a run interrupted in the
        // middle of a walk leaves its directory search open.
        const rt::Run run;
        shell::MainForm form(instance, SORATN2_ICON, EventProcedure, ArgumentEventProcedure);
        if (form.Window() == nullptr) {
            rt::ReportStartupFailure("ウィンドウをオープンできません");
            return 0;
        }
        ShowWindow(form.Window(), showState);
        UpdateWindow(form.Window());
        rt::InstallFaultReport();
        RunMainBody(mainBody);
        EndProgram(form);
    }
    ForgetProgramState();
    return 0;
}

}  // namespace app
