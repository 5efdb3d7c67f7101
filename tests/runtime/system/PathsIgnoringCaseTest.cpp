#include "runtime/system/PathsIgnoringCase.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/system/Cp932.h"

namespace {

std::string Program(const std::wstring& text) {
    std::string bytes;
    EXPECT_TRUE(rt::ToCp932(text, bytes));
    return bytes;
}

}  // namespace

// Names Windows holds as one folder are one here; names it holds apart stay
// apart, whatever the user's language.
TEST(PathsIgnoringCaseTest, PathsAreOneWhereWindowsHoldsOneFolder) {
    rt::PathsIgnoringCase made;
    made.Add("C:\\Dest\\terminfo\\A");
    made.Add("C:\\Dest\\perl\\Pod");
    made.Add(Program(L"C:\\Dest\\Caf\u00C9\\\uFF21"));
    struct Row {
        std::wstring path;
        bool held;
    };
    const Row rows[] = {
        {L"C:\\Dest\\terminfo\\A", true},
        {L"c:\\dest\\TERMINFO\\a", true},
        {L"C:\\Dest\\perl\\pod", true},
        {L"C:\\Dest\\caf\u00E9\\\uFF41", true},
        {L"C:\\Dest\\Cafe\\\uFF41", false},
        {L"C:\\Dest\\terminfo\\B", false},
        {L"C:\\Dest\\terminfo", false},
        {L"C:\\Dest\\terminfo\\A\\x", false},
    };
    for (const Row& row : rows) EXPECT_EQ(made.Holds(Program(row.path)), row.held) << rt::ToCp932Shown(row.path);
    made.Clear();
    EXPECT_FALSE(made.Holds("C:\\Dest\\terminfo\\A"));
}
