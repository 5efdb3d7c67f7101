#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/DllSearch.h"
#include "app/Startup.h"
#include "runtime/files/OpenFiles.h"
#include "runtime/lang/Strings.h"
#include "runtime/run/StatementPoll.h"

namespace {

std::string probeFile;

// A main body that leaves a file open and then fails at line 157.
void FailingMainBody() {
    rt::Line(150); rt::OpenForOutput(probeFile, 3);
    rt::Line(151); rt::WriteLine(3, "kept");
    rt::Line(157); rt::MidChars("abc", 0);
}

// A main body whose statement at line 160 faults.
void FaultingMainBody() {
    rt::Line(160); RaiseException(EXCEPTION_ACCESS_VIOLATION, 0, 0, nullptr);
}

}  // namespace

// Started with --probe-error=FILE or --probe-fault, this program runs as the
// program would, with a main body that fails, so that the tests can watch
// the report and the end from outside.
int main(int argc, char** argv) {
    constexpr const char* kProbeError = "--probe-error=";
    if (argc == 2 && std::strncmp(argv[1], kProbeError, std::strlen(kProbeError)) == 0) {
        probeFile = argv[1] + std::strlen(kProbeError);
        return app::RunProgram(GetModuleHandleW(nullptr), SW_SHOWNORMAL, FailingMainBody);
    }
    // --probe-dll-search=limited makes the program's start-up call first; the
    // exit code is 1 when the planted DLL was loaded by its bare name.
    constexpr const char* kProbeDllSearch = "--probe-dll-search=";
    if (argc == 2 && std::strncmp(argv[1], kProbeDllSearch, std::strlen(kProbeDllSearch)) == 0) {
        if (std::strcmp(argv[1] + std::strlen(kProbeDllSearch), "limited") == 0) {
            app::LimitDllSearchToTheSystemFolder();
        }
        return LoadLibraryW(L"soratn2_planted.dll") != nullptr ? 1 : 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--probe-fault") == 0) {
        return app::RunProgram(GetModuleHandleW(nullptr), SW_SHOWNORMAL, FaultingMainBody);
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
