#include "runtime/files/DirectorySearch.h"
#include "runtime/files/Run.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "runtime/system/Cp932.h"
#include "support/ErrorOf.h"
#include "support/LongPaths.h"
#include "support/TempFolder.h"

using rt::kFalse;
using rt::kTrue;
using test::ErrorOf;

namespace {

class DirectorySearchTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (int number = 1; number <= 16; ++number) rt::SearchClose(number);
    }

    // Every entry of the search: name and attribute letters.
    static std::map<std::string, std::string> ReadAll(long double number) {
        std::map<std::string, std::string> entries;
        for (rt::SearchNext(number); !rt::SearchAtEnd(number); rt::SearchNext(number)) {
            entries[rt::SearchField(number, rt::kFieldName)] =
                rt::SearchField(number, rt::kFieldAttributes);
        }
        return entries;
    }

    test::TempFolder temp;
};

}  // namespace

TEST_F(DirectorySearchTest, ListsEveryEntryWithItsAttributeLetters) {
    test::MakeFolders(temp / "sub");
    test::MakeFolders(temp / "Data.old");
    test::MakeFolders(temp / "ソ");
    test::WriteBytes(temp / "file.txt", "x");
    test::WriteBytes(temp / "ro.txt", "x");
    SetFileAttributesW(rt::ToWide(temp / "ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(rt::ToWide(temp / "file.txt").c_str(), FILE_ATTRIBUTE_ARCHIVE);
    SetFileAttributesW(rt::ToWide(temp / "sub").c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);

    rt::SearchOpen(temp / "*.*", 1);
    const auto entries = ReadAll(1);
    rt::SearchClose(1);
    SetFileAttributesW(rt::ToWide(temp / "ro.txt").c_str(), FILE_ATTRIBUTE_NORMAL);

    ASSERT_EQ(entries.size(), 7u);
    EXPECT_EQ(entries.at(".").substr(0, 1), "D");
    EXPECT_EQ(entries.at("..").substr(0, 1), "D");
    EXPECT_EQ(entries.at("sub").substr(0, 1), "D");
    EXPECT_EQ(entries.at("Data.old").substr(0, 1), "D");
    EXPECT_EQ(entries.at("ソ").substr(0, 1), "D");
    EXPECT_EQ(entries.at("file.txt"), "--A");
    EXPECT_EQ(entries.at("ro.txt").substr(0, 2), "-R");
}

TEST_F(DirectorySearchTest, AnUnreadablePatternFindsNothing) {
    rt::SearchOpen(temp / "missing\\*.*", 1);
    rt::SearchNext(1);
    EXPECT_EQ(rt::SearchAtEnd(1), kTrue);
    EXPECT_EQ(ErrorOf([] { rt::SearchNext(1); }), 54);
}

TEST_F(DirectorySearchTest, NothingIsReadBeforeTheFirstNext) {
    test::MakeFolders(temp / "late");
    rt::SearchOpen(temp / "late*", 2);
    EXPECT_EQ(ErrorOf([] { rt::SearchAtEnd(2); }), 5);
    test::MakeFolders(temp / "later");
    EXPECT_EQ(ReadAll(2).size(), 2u);
}

TEST_F(DirectorySearchTest, SearchNumbersRunFrom1To16) {
    const std::string pattern = temp / "*.*";
    EXPECT_EQ(ErrorOf([&] { rt::SearchOpen(pattern, 0); }), 50);
    EXPECT_EQ(ErrorOf([&] { rt::SearchOpen(pattern, 17); }), 50);
    EXPECT_EQ(ErrorOf([] { rt::SearchNext(17); }), 50);
    EXPECT_EQ(ErrorOf([] { rt::SearchAtEnd(0); }), 50);
    EXPECT_EQ(ErrorOf([] { rt::SearchClose(17); }), 50);
    EXPECT_EQ(ErrorOf([] { rt::SearchNext(3); }), 57);
    EXPECT_EQ(ErrorOf([] { rt::SearchAtEnd(3); }), 57);
    EXPECT_EQ(ErrorOf([] { rt::SearchField(3, 0); }), 57);

    rt::SearchOpen(pattern, 16);
    EXPECT_EQ(ErrorOf([&] { rt::SearchOpen(pattern, 16); }), 52);
    rt::SearchClose(16);
    rt::SearchOpen(pattern, 16);
    rt::SearchClose(3);
}

TEST_F(DirectorySearchTest, FieldNumbersAbove4AreRefused) {
    rt::SearchOpen(temp / "*.*", 1);
    rt::SearchNext(1);
    EXPECT_EQ(ErrorOf([] { rt::SearchField(1, 5); }), 5);
    EXPECT_FALSE(rt::SearchField(1, 0).empty());
}

TEST_F(DirectorySearchTest, PatternsLongerThanWindowsHoldsAreRefused) {
    EXPECT_EQ(ErrorOf([&] { rt::SearchOpen(test::PathOfUnits(temp / "missing", 32768), 1); }), 5);
    EXPECT_EQ(ErrorOf([&] { rt::SearchOpen(temp / "missing\\" + std::string(256, 'a') + "\\*.*", 1); }), 5);
    rt::SearchOpen(test::PathOfUnits(temp / "missing", 32767), 1);
    rt::SearchNext(1);
    EXPECT_EQ(rt::SearchAtEnd(1), kTrue);
}

TEST_F(DirectorySearchTest, AFolderPast260BytesIsListed) {
    std::string deep = temp.Path();
    for (int level = 0; level < 14; ++level) deep += "\\令和七年度顧客別見積書及び納品書控え一式営業部第二課担当分保管用資料原本";
    test::MakeFolders(deep + "\\4月〜6月");
    rt::SearchOpen(deep + "\\*.*", 1);
    EXPECT_EQ(ReadAll(1), (std::map<std::string, std::string>{{".", "D--"}, {"..", "D--"}, {"4月〜6月", "D--"}}));
}

TEST_F(DirectorySearchTest, ADriveRootIsListed) {
    if (GetDriveTypeW(L"R:\\") == DRIVE_NO_ROOT_DIR) GTEST_SKIP() << "no drive R:";
    test::MakeFolders("R:\\TOP");
    rt::SearchOpen("R:\\*.*", 1);
    const auto entries = ReadAll(1);
    test::RemoveTree("R:\\TOP");
    ASSERT_TRUE(entries.count("TOP"));
    EXPECT_EQ(entries.at("TOP").substr(0, 1), "D");
}

// Names a Windows user can give but code page 932 cannot hold: their nearest
// forms ("..\..\x", "cafe") would name other folders.
TEST_F(DirectorySearchTest, ANameWithoutACodePage932FormReadsExactly) {
    const std::vector<std::wstring> names = {L"..\u00A5..\u00A5x", L"caf\u00E9", L"\U0001F600", L"4\u6708\u301C6\u6708"};
    for (const std::wstring& name : names) {
        ASSERT_TRUE(CreateDirectoryW((rt::ToWide(temp.Path()) + L"\\" + name).c_str(), nullptr));
    }
    rt::SearchOpen(temp / "*.*", 1);
    std::vector<std::wstring> read;
    for (const auto& [name, attributes] : ReadAll(1)) {
        EXPECT_EQ(attributes, "D--");
        if (name != "." && name != "..") read.push_back(rt::ToWide(name));
    }
    std::vector<std::wstring> made = names;
    std::sort(read.begin(), read.end());
    std::sort(made.begin(), made.end());
    EXPECT_EQ(read, made);
}

// A folder gone between the listing and the look at its name stands for a
// name that does not open as given: it reads with "?", which names nothing.
TEST_F(DirectorySearchTest, ANameWithLentCharactersThatDoesNotOpenReadsWithQuestionMarks) {
    const std::wstring folder = rt::ToWide(temp.Path()) + L"\\caf\u00E9";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    rt::SearchOpen(temp / "caf*", 1);
    rt::SearchNext(1);
    EXPECT_EQ(rt::ToWide(rt::SearchField(1, rt::kFieldName)), L"caf\u00E9");
    ASSERT_TRUE(RemoveDirectoryW(folder.c_str()));
    EXPECT_EQ(rt::SearchField(1, rt::kFieldName), "caf?");
}

// A run's searches are its own: those it left open are gone with it.
TEST_F(DirectorySearchTest, TheSearchesARunLeftOpenAreGoneWithIt) {
    {
        const rt::Run run;
        for (int number = 1; number <= 16; ++number) rt::SearchOpen(temp / "*.*", number);
        rt::SearchNext(16);
    }
    for (int number = 1; number <= 16; ++number) {
        EXPECT_EQ(ErrorOf([&] { rt::SearchOpen(temp / "*.*", number); }), 0) << number;
    }
}
