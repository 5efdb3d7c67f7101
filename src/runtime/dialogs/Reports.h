#pragma once

#include <string>
#include <string_view>

// The reports that end the program, and the message box service of the
// program's own notices.
namespace rt {

inline constexpr std::string_view kModuleName = "SORATN2";

// The executable's file name without folder and extension.
std::string ExecutableName();

// "\r\nSORATN2 [157行]:エラー[5]"
std::string RuntimeErrorText(int number, int line);

// "\r\n中断しました SORATN2[163行] \r\n任意のキーを押してください"
std::string InterruptionText(int line);

void ReportRuntimeError(int number);
void ReportInterruption();

// Shows the start-up failure message and nothing else.
void ReportStartupFailure(std::string_view text);

// Installs the last-resort report of processor faults.
void InstallFaultReport();

// The message box service: button set 0-5 and icon 0-4 as the program
// numbers them; the answer as 0 OK, 1 Cancel, 2 Abort, 3 Retry, 4 Ignore,
// 5 Yes, 6 No.
int MessageBoxService(std::string_view title, std::string_view text, long double buttons,
                      long double icon);

}  // namespace rt
