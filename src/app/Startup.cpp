#include "app/Startup.h"

#include <new>

#include "app/EventProcedures.h"
#include "app/res/Resources.h"
#include "program/Program.h"
#include "runtime/dialogs/ModalUi.h"
#include "runtime/dialogs/Reports.h"
#include "runtime/files/DirectorySearch.h"
#include "runtime/files/OpenFiles.h"
#include "runtime/files/ReadAhead.h"
#include "runtime/lang/ErrorNumbers.h"
#include "runtime/lang/RuntimeError.h"
#include "runtime/run/RunHooks.h"
#include "runtime/run/StatementPoll.h"
#include "runtime/system/Cp932.h"
#include "shell/MainWindow.h"

namespace app {

namespace {

// Everything a run keeps besides its windows and files, back to the state of
// a fresh start. Done at the start of every run and again once it has ended,
// however it ended: a run interrupted in the middle of a walk leaves its
// directory search open and its procedure's held-back changes behind.
void ResetRunState() {
    rt::TheReadAhead().Stop();
    rt::ResetStatementPoll();
    rt::CloseAllSearches();
    rt::ForgetLentCharacters();
    program::ClearVariables();
}

// Files still open get their end mark, then the windows go.
void EndProgram(shell::MainForm& form) {
    try {
        rt::CloseFiles();
    } catch (const rt::RuntimeError&) {
        // Every file has been closed all the same; the program is ending.
    }
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
    ResetRunState();
    {
        shell::MainForm form(instance, SORATN2_ICON, EventProcedure);
        if (form.Window() == nullptr) {
            rt::ReportStartupFailure("ウィンドウをオープンできません");
            return 0;
        }
        const rt::RunHooksInstalled hooks(form.Hooks());
        ShowWindow(form.Window(), showState);
        UpdateWindow(form.Window());
        rt::InstallFaultReport();
        RunMainBody(mainBody);
        EndProgram(form);
    }
    ResetRunState();
    return 0;
}

}  // namespace app
