#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/ChildProgram.h"

// soratn2_planted.dll lies beside this test program, as a planted DLL would
// lie beside SORATN2.exe in a download folder. The probe makes the program's
// start-up call, or not, and loads the DLL by bare name: its exit code says
// whether it was loaded.
TEST(DllSearchTest, ADllPlantedBesideTheProgramIsLoadedByBareNameOnlyWithoutTheStartUpCall) {
    const std::wstring test = test::ThisTestProgram();
    const std::wstring planted = test.substr(0, test.find_last_of(L'\\') + 1) + L"soratn2_planted.dll";
    ASSERT_NE(GetFileAttributesW(planted.c_str()), INVALID_FILE_ATTRIBUTES);
    const struct {
        const wchar_t* mode;
        DWORD loaded;
    } rows[] = {{L"default", 1}, {L"limited", 0}};
    for (const auto& row : rows) {
        test::ChildProgram probe(test, std::wstring(L"--probe-dll-search=") + row.mode);
        EXPECT_EQ(probe.WaitForExit(), row.loaded) << row.mode;
    }
}
