#include "runtime/run/OffThread.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "runtime/system/Cp932.h"
#include "support/TempFolder.h"

namespace {

struct CallCase {
    const char* what;
    BOOL (*call)(const std::wstring& folder);
    BOOL result;
    DWORD error;
};

BOOL MakeThere(const std::wstring& folder) { return CreateDirectoryW(folder.c_str(), nullptr); }
BOOL RemoveMissing(const std::wstring& folder) { return RemoveDirectoryW((folder + L"\\none").c_str()); }
BOOL MakeNew(const std::wstring& folder) { return CreateDirectoryW((folder + L"\\new").c_str(), nullptr); }

}  // namespace

// What the code around a call reads after it, as if the call were made on
// the program's thread: its result and the error it left.
TEST(OffThreadTest, ACallsResultAndItsLastErrorComeBackToTheProgramsThread) {
    const CallCase cases[] = {
        {"make a folder that is there", MakeThere, FALSE, ERROR_ALREADY_EXISTS},
        {"remove a folder that is not", RemoveMissing, FALSE, ERROR_FILE_NOT_FOUND},
        {"make a new folder", MakeNew, TRUE, 0},
    };
    test::TempFolder temp;
    const std::wstring folder = rt::ToWide(temp.Path());
    for (const CallCase& row : cases) {
        SetLastError(0);
        const BOOL result = rt::OffThread([call = row.call, folder] {
            SetLastError(0);
            return call(folder);
        });
        EXPECT_EQ(result, row.result) << row.what;
        if (!row.result) {
            EXPECT_EQ(GetLastError(), row.error) << row.what;
        }
    }
    EXPECT_TRUE(test::Exists(temp / "new"));
}
