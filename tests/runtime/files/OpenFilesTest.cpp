#include "runtime/files/OpenFiles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "runtime/files/FileStatements.h"
#include "runtime/system/Cp932.h"
#include "support/ErrorOf.h"
#include "support/LongPaths.h"
#include "support/TempFolder.h"

using test::ErrorOf;

namespace {

// Every test starts and ends with no file open.
class OpenFilesTest : public ::testing::Test {
protected:
    void TearDown() override { rt::CloseFiles(); }

    test::TempFolder temp;
};

}  // namespace

TEST_F(OpenFilesTest, LinesEndInCrLfAndTheFileInOneEndMark) {
    const std::string path = temp / "out.txt";
    rt::OpenForOutput(path, 2);
    rt::WriteLine(2, "LINE1");
    rt::WriteLine(2, "");
    rt::WriteLine(2, "LINE2");
    rt::CloseFiles({2});
    EXPECT_EQ(test::ReadBytes(path), "LINE1\r\n\r\nLINE2\r\n\x1A");
}

TEST_F(OpenFilesTest, AFileWithNothingWrittenHoldsOnlyTheEndMark) {
    const std::string path = temp / "empty.txt";
    rt::OpenForOutput(path, 1);
    rt::CloseFiles({1});
    EXPECT_EQ(test::ReadBytes(path), "\x1A");
}

TEST_F(OpenFilesTest, LinesAreWrittenWholeAndByteForByte) {
    std::string longLine(5000, 'x');
    longLine += "\x83\x5C,\"\t\x01";
    const std::string path = temp / "long.txt";
    rt::OpenForOutput(path, 255);
    rt::WriteLine(255, longLine);
    rt::CloseFiles({255});
    EXPECT_EQ(test::ReadBytes(path), longLine + "\r\n\x1A");
}

TEST_F(OpenFilesTest, OpeningAnExistingFileEmptiesIt) {
    const std::string path = temp / "old.txt";
    test::WriteBytes(path, "old contents that must go");
    rt::OpenForOutput(path, 3);
    rt::WriteLine(3, "new");
    rt::CloseFiles({3});
    EXPECT_EQ(test::ReadBytes(path), "new\r\n\x1A");
}

TEST_F(OpenFilesTest, FileNumbersRunFrom1To255AndAreBoundOnce) {
    const std::string path = temp / "a.txt";
    EXPECT_EQ(ErrorOf([&] { rt::OpenForOutput(path, 0); }), 50);
    EXPECT_EQ(ErrorOf([&] { rt::OpenForOutput(path, 256); }), 50);
    EXPECT_FALSE(test::Exists(path));

    rt::OpenForOutput(path, 2);
    EXPECT_EQ(ErrorOf([&] { rt::OpenForOutput(temp / "b.txt", 2); }), 52);
    EXPECT_EQ(ErrorOf([&] { rt::OpenForOutput(temp / "c.txt", 2.4L); }), 52);
    EXPECT_FALSE(test::Exists(temp / "b.txt"));
}

TEST_F(OpenFilesTest, WriteLineNeedsABoundNumber) {
    EXPECT_EQ(ErrorOf([] { rt::WriteLine(0, "x"); }), 50);
    EXPECT_EQ(ErrorOf([] { rt::WriteLine(256, "x"); }), 50);
    EXPECT_EQ(ErrorOf([] { rt::WriteLine(9, "x"); }), 57);
}

TEST_F(OpenFilesTest, CloseWithAnEmptyListClosesEveryFile) {
    rt::OpenForOutput(temp / "one.txt", 1);
    rt::OpenForOutput(temp / "two.txt", 200);
    rt::WriteLine(200, "two");
    rt::CloseFiles();
    EXPECT_EQ(test::ReadBytes(temp / "one.txt"), "\x1A");
    EXPECT_EQ(test::ReadBytes(temp / "two.txt"), "two\r\n\x1A");
    // Both numbers are free again.
    rt::OpenForOutput(temp / "three.txt", 1);
    rt::OpenForOutput(temp / "four.txt", 200);
}

TEST_F(OpenFilesTest, ClosingANumberNeverOpenedDoesNothing) {
    rt::OpenForOutput(temp / "kept.txt", 4);
    rt::CloseFiles({5, 6});
    rt::WriteLine(4, "still open");
    EXPECT_EQ(ErrorOf([] { rt::CloseFiles({300}); }), 50);
    EXPECT_EQ(ErrorOf([] { rt::CloseFiles({0}); }), 50);
}

TEST_F(OpenFilesTest, OtherProgramsMayReadButNotWriteAnOpenFile) {
    const std::wstring path = rt::ToWide(temp / "shared.txt");
    rt::OpenForOutput(temp / "shared.txt", 1);
    HANDLE reader = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE);
    if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);
    HANDLE writer = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
    if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
}

TEST_F(OpenFilesTest, ARefusedOpenLeavesTheNumberFree) {
    const std::string readOnly = temp / "readonly.txt";
    const std::string hidden = temp / "hidden.txt";
    test::WriteBytes(readOnly, "keep");
    test::WriteBytes(hidden, "keep");
    SetFileAttributesW(rt::ToWide(readOnly).c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(rt::ToWide(hidden).c_str(), FILE_ATTRIBUTE_HIDDEN);

    EXPECT_EQ(ErrorOf([&] { rt::OpenForOutput(readOnly, 8); }), 75);
    EXPECT_EQ(ErrorOf([&] { rt::OpenForOutput(hidden, 8); }), 75);
    EXPECT_EQ(ErrorOf([&] { rt::OpenForOutput(temp / "missing\\x.txt", 8); }), 63);
    EXPECT_EQ(ErrorOf([&] { rt::WriteLine(8, "x"); }), 57);
    SetFileAttributesW(rt::ToWide(readOnly).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(test::ReadBytes(readOnly), "keep");
    EXPECT_EQ(test::ReadBytes(hidden), "keep");
}

TEST_F(OpenFilesTest, PathChecksComeBeforeTheSystem) {
    EXPECT_EQ(ErrorOf([&] { rt::OpenForOutput(test::PathOfUnits(temp / "missing", 32768), 1); }), 55);
    // At the limit the system is asked; Wine's host refuses past 4096 bytes.
    EXPECT_EQ(ErrorOf([&] { rt::OpenForOutput(test::PathOfUnits(temp / "missing", 32767), 1); }), 27);
    EXPECT_EQ(ErrorOf([&] { rt::OpenForOutput(temp / "missing\\" + std::string(256, 'a'), 1); }), 55);
    EXPECT_EQ(ErrorOf([&] { rt::OpenForOutput(temp / "missing\\" + std::string(255, 'a'), 1); }), 63);
    EXPECT_EQ(ErrorOf([&] { rt::OpenForOutput(temp / "*.txt", 1); }), 55);
    EXPECT_EQ(ErrorOf([&] { rt::OpenForOutput(temp / "a?.txt", 1); }), 55);
}

TEST_F(OpenFilesTest, TheDrivePrefixMustBeALetterOrADriveNumber) {
    EXPECT_EQ(ErrorOf([] { rt::OpenForOutput("AB:x.txt", 1); }), 5);
    EXPECT_EQ(ErrorOf([] { rt::OpenForOutput(":x.txt", 1); }), 5);
    EXPECT_EQ(ErrorOf([] { rt::OpenForOutput("26:x.txt", 1); }), 5);
    EXPECT_EQ(ErrorOf([] { rt::OpenForOutput("99:x.txt", 1); }), 5);

    // Drive number 2 is C:, 25 is Z:.
    const std::string path = temp / "numbered.txt";
    ASSERT_EQ(path[1], ':');
    rt::OpenForOutput(std::to_string(path[0] - 'A') + path.substr(1), 1);
    rt::CloseFiles({1});
    EXPECT_EQ(test::ReadBytes(path), "\x1A");
}
