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
        {L"C:\\Dest\\terminfo\\A\\", false},
        {L"C:\\Dest\\\\terminfo\\A", false},
        {L"", false},
    };
    for (const Row& row : rows) EXPECT_EQ(made.Holds(Program(row.path)), row.held) << rt::ToCp932Shown(row.path);
    made.Clear();
    EXPECT_FALSE(made.Holds("C:\\Dest\\terminfo\\A"));
}

// Thousands of folders below one destination, as a copy makes them: each path
// added is held in any letter case, and the folders above them, never added
// themselves, are not.
TEST(PathsIgnoringCaseTest, ThousandsOfPathsAreToldApartAsAFewAre) {
    rt::PathsIgnoringCase made;
    const auto path = [](int a, int b, int c, bool lower) {
        return std::string(lower ? "c:\\dest\\f" : "C:\\Dest\\F") + std::to_string(a) + (lower ? "\\s" : "\\S") +
               std::to_string(b) + (c < 0 ? "" : (lower ? "\\l" : "\\L") + std::to_string(c));
    };
    for (int a = 0; a < 20; ++a) {
        for (int b = 0; b < 20; ++b) {
            for (int c = 0; c < 20; ++c) {
                if ((a + b + c) % 3 != 0) made.Add(path(a, b, c, false));
            }
        }
    }
    int wrong = 0;
    for (int a = 0; a < 20; ++a) {
        for (int b = 0; b < 20; ++b) {
            wrong += made.Holds(path(a, b, -1, true));
            for (int c = 0; c < 20; ++c) wrong += made.Holds(path(a, b, c, true)) != ((a + b + c) % 3 != 0);
        }
    }
    EXPECT_EQ(wrong, 0);
}
