#include "app/Startup.h"

#include <new>

#include "app/EventProcedures.h"
#include "app/res/Resources.h"
#include "program/Program.h"
#include "runtime/Cp932.h"
#include "runtime/DirectorySearch.h"
#include "runtime/ErrorNumbers.h"
#include "runtime/ModalUi.h"
#include "runtime/OpenFiles.h"
#include "runtime/Reports.h"
#include "runtime/RuntimeError.h"
#include "runtime/StatementPoll.h"
#include "shell/DeferredRedraw.h"
#include "shell/KeyboardNavigation.h"
#include "shell/MainWindow.h"

namespace app {

namespace {

// Everything a run keeps besides its windows and files, back to the state of
// a fresh start. Done at the start of every run and again once it has ended,
// however it ended: a run interrupted in the middle of a walk leaves its
// directory search open and its procedure's held-back changes behind.
void ResetRunState() {
    rt::ResetStatementPoll();
    rt::CloseAllSearches();
    rt::ForgetLentCharacters();
    shell::ForgetDeferredChanges();
    shell::ResetKeyboardNavigation();
    program::ClearVariables();
}

// Files still open get their end mark, then the windows go.
void EndProgram() {
    try {
        rt::CloseFiles();
    } catch (const rt::RuntimeError&) {
        // Every file has been closed all the same; the program is ending.
    }
    shell::DestroyMainForm();
    rt::SetMessageFilter(nullptr);
    rt::SetPaintDuringProcedures(nullptr);
    rt::SetBeforeModalHook(nullptr);
    rt::SetMainWindow(nullptr);
    SetUnhandledExceptionFilter(nullptr);
    ResetRunState();
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
    const HWND form = shell::CreateMainForm(instance, SORATN2_ICON, EventProcedure);
    if (form == nullptr) {
        rt::ReportStartupFailure("ウィンドウをオープンできません");
        return 0;
    }
    rt::SetMainWindow(form);
    ShowWindow(form, showState);
    UpdateWindow(form);
    rt::SetMessageFilter(shell::NavigateByKeyboard);
    rt::SetPaintDuringProcedures(shell::PaintWhileBusy);
    rt::SetBeforeModalHook(shell::ApplyBeforeDialog);
    rt::InstallFaultReport();
    RunMainBody(mainBody);
    EndProgram();
    return 0;
}

}  // namespace app
