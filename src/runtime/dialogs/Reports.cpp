#include "runtime/dialogs/Reports.h"

#include <windows.h>

#include <string>

#include "runtime/dialogs/ModalUi.h"
#include "runtime/lang/ErrorNumbers.h"
#include "runtime/lang/Numbers.h"
#include "runtime/lang/RuntimeError.h"
#include "runtime/run/RunHooks.h"
#include "runtime/run/StatementPoll.h"
#include "runtime/system/Cp932.h"

namespace rt {

namespace {

constexpr UINT kIcons[] = {MB_ICONHAND, MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONASTERISK, 0};
constexpr int kButtonSets = 6;

std::wstring ReportTitle() { return ToWide(ExecutableName() + ".EXE"); }

int Show(HWND owner, const std::wstring& title, std::string_view text, UINT style) {
    return ShowMessageBox(MessageBoxRequest{owner, title, ToWide(text), style});
}

LONG WINAPI ReportFault(EXCEPTION_POINTERS*) {
    const HWND main = MainWindow();
    wchar_t caption[256] = L"";
    if (main != nullptr) GetWindowTextW(main, caption, 256);
    const std::string module = std::string(kModuleName);
    Show(main, caption,
         "続行不可能なエラーが発生しました " + module + " [" + std::to_string(CurrentLine()) + "行]\r\n",
         MB_OK | MB_ICONHAND | MB_SYSTEMMODAL);
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

std::string ExecutableName() {
    wchar_t path[MAX_PATH + 1];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
    std::wstring name(path, length);
    name = name.substr(name.find_last_of(L"\\/:") + 1);
    return ToCp932Shown(name.substr(0, name.find_last_of(L'.')));
}

std::string RuntimeErrorText(int number, int line) {
    return "\r\n" + std::string(kModuleName) + " [" + std::to_string(line) + "行]:エラー[" +
           std::to_string(number) + "]";
}

std::string InterruptionText(int line) {
    return "\r\n中断しました " + std::string(kModuleName) + "[" + std::to_string(line) +
           "行] \r\n任意のキーを押してください";
}

void ReportRuntimeError(int number) {
    // A failure inside the report is not reported again. Kept for the
    // process: a report may be asked for from the fault filter, outside any run.
    static bool reporting = false;
    if (reporting || number == 0) return;
    reporting = true;
    Show(MainWindow(), ReportTitle(), RuntimeErrorText(number, CurrentLine()),
         MB_OK | MB_HELP | MB_ICONEXCLAMATION);
    reporting = false;
}

void ReportInterruption() {
    Show(MainWindow(), ReportTitle(), InterruptionText(CurrentLine()), MB_OK | MB_ICONEXCLAMATION);
}

void ReportStartupFailure(std::string_view text) {
    Show(nullptr, ReportTitle(), text, MB_OK | MB_ICONHAND);
}

void InstallFaultReport() { SetUnhandledExceptionFilter(ReportFault); }

int MessageBoxService(std::string_view title, std::string_view text, long double buttons,
                      long double icon) {
    const std::int32_t buttonSet = IntArg(buttons);
    const std::int32_t iconCode = IntArg(icon);
    if (buttonSet < 0 || buttonSet >= kButtonSets) Raise(err::kBadArgument);
    if (iconCode < 0 || iconCode >= static_cast<std::int32_t>(std::size(kIcons))) {
        Raise(err::kBadArgument);
    }
    const int pressed = Show(MainWindow(), ToWide(title), text,
                             static_cast<UINT>(buttonSet) | kIcons[iconCode]);
    // IDOK (1) to IDNO (7) become 0 to 6.
    return pressed - IDOK;
}

}  // namespace rt
