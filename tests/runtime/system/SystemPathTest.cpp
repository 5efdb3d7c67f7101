#include "runtime/system/SystemPath.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/files/FileStatements.h"
#include "runtime/system/Cp932.h"
#include "support/LongPaths.h"
#include "support/TempFolder.h"

namespace {

// The current folder moved to a fresh folder for one test, and back.
class InFreshFolder : public ::testing::Test {
protected:
    void SetUp() override { rt::ChangeFolder(temp.Path()); }
    void TearDown() override { rt::ChangeFolder(saved); }

    const std::string saved = rt::CurrentFolder("");
    test::TempFolder temp;
    const std::wstring here = rt::ToWide(temp.Path());
};

using SystemPathTest = InFreshFolder;

// 36 characters, 72 bytes in code page 932: the name of a deep customer tree.
const std::string kJapaneseName = "令和七年度顧客別見積書及び納品書控え一式営業部第二課担当分保管用資料原本";

std::string Times(const std::string& text, int count) {
    std::string result;
    for (int i = 0; i < count; ++i) result += text;
    return result;
}

std::string Lent(const std::wstring& text) {
    std::string bytes;
    EXPECT_TRUE(rt::ToCp932(text, bytes));
    return bytes;
}

}  // namespace

TEST_F(SystemPathTest, TheLongFormIsTheAbsolutePathBehindItsPrefix) {
    const std::wstring drive = here.substr(0, 2);
    struct Row {
        std::wstring path;
        std::wstring longForm;
    };
    const Row rows[] = {
        {L"sub\\x", L"\\\\?\\" + here + L"\\sub\\x"},
        {L".\\sub\\..\\y", L"\\\\?\\" + here + L"\\y"},
        {L"\\top", L"\\\\?\\" + drive + L"\\top"},
        {L"C:\\a\\b", L"\\\\?\\C:\\a\\b"},
        {L"C:\\a\\.\\x\\..\\b", L"\\\\?\\C:\\a\\b"},
        {L"C:/a/b", L"\\\\?\\C:\\a\\b"},
        {L"C:\\\u55B6\u696D\\\u301C", L"\\\\?\\C:\\\u55B6\u696D\\\u301C"},
        {L"\\\\server\\share\\x", L"\\\\?\\UNC\\server\\share\\x"},
        {L"\\\\server\\share\\x\\..\\y", L"\\\\?\\UNC\\server\\share\\y"},
        // Already long: taken as it stands, "." and ".." included.
        {L"\\\\?\\C:\\x\\..\\y", L"\\\\?\\C:\\x\\..\\y"},
        {L"\\\\?\\UNC\\server\\share\\x", L"\\\\?\\UNC\\server\\share\\x"},
        {L"\\\\.\\COM1", L"\\\\.\\COM1"},
    };
    for (const Row& row : rows) EXPECT_EQ(rt::LongForm(row.path), row.longForm) << row.path;
}

TEST_F(SystemPathTest, OnlyPathsOf248CharactersOrMoreAreHandedOverInTheLongForm) {
    struct Row {
        std::wstring path;
        std::wstring handedOver;
    };
    const std::wstring below = L"C:\\" + std::wstring(244, L'a');
    const std::wstring at = L"C:\\" + std::wstring(245, L'a');
    const std::wstring relativeAt(248, L'r');
    const Row rows[] = {
        {below, below},
        {at, L"\\\\?\\" + at},
        {L"rel", L"rel"},
        {relativeAt, L"\\\\?\\" + here + L"\\" + relativeAt},
        {L"\\\\server\\share\\" + std::wstring(240, L'b'), L"\\\\?\\UNC\\server\\share\\" + std::wstring(240, L'b')},
    };
    for (const Row& row : rows) EXPECT_EQ(rt::LongFormWhereNeeded(row.path), row.handedOver) << row.path.size();
}

// Windows holds 32767 UTF-16 units in the long form and 255 in one name;
// code page 932 bytes count for nothing.
TEST_F(SystemPathTest, APathIsHeldToWhatWindowsHoldsCountedAsWindowsCounts) {
    const std::string relativeBase = temp.Path() + "\\";
    struct Row {
        std::string path;
        bool tooLong;
    };
    const Row rows[] = {
        {test::PathOfUnits("C:\\x", 32767), false},
        {test::PathOfUnits("C:\\x", 32768), true},
        {test::PathOfUnits("\\\\server\\share", 32767), false},
        {test::PathOfUnits("\\\\server\\share", 32768), true},
        {test::PathOfUnits(temp.Path(), 32767).substr(relativeBase.size()), false},
        {test::PathOfUnits(temp.Path(), 32768).substr(relativeBase.size()), true},
        {"C:\\x\\" + std::string(255, 'n') + "\\y", false},
        {"C:\\x\\" + std::string(256, 'n') + "\\y", true},
        {"\\\\?\\C:\\" + std::string(256, 'n'), true},
        {"C:\\x\\" + Times("ソ", 255), false},
        {"C:\\x\\" + Times("ソ", 256), true},
        {"C:\\x\\" + Lent(std::wstring(255, L'\u00E9')), false},
        {"C:\\x\\" + Lent(std::wstring(256, L'\u00E9')), true},
        {"C:\\" + test::Repeated(kJapaneseName, 14), false},
        {"", false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(rt::PathTooLong(row.path), row.tooLong) << row.path.size() << " bytes";
    }
}

TEST_F(SystemPathTest, TheLengthIsTheLongFormsInUtf16Units) {
    struct Row {
        std::string path;
        std::size_t units;
    };
    const Row rows[] = {
        {"C:\\営業", 9},
        {"C:\\" + test::Repeated(kJapaneseName, 14), 4 + 3 + 14 * 37 - 1},
        {"\\\\server\\share\\x", 22},
        {"ab", 4 + here.size() + 3},
        {test::PathOfUnits("C:\\x", 32767), 32767},
    };
    for (const Row& row : rows) EXPECT_EQ(rt::PathLength(row.path), row.units) << row.path.substr(0, 40);
}
