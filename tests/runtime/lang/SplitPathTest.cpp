#include "runtime/lang/SplitPath.h"

#include <gtest/gtest.h>

namespace {

struct Row {
    const char* path;
    const char* drive;
    const char* folder;
    const char* name;
    const char* extension;
};

const Row kRows[] = {
    {"C:\\DATA\\SUB\\list.txt", "C:", "\\DATA\\SUB\\", "list", ".txt"},
    {"C:\\DUMMY", "C:", "\\", "DUMMY", ""},
    {"C:\\a.b\\c.d.e", "C:", "\\a.b\\", "c.d", ".e"},
    {"list", "", "", "list", ""},
    {"", "", "", "", ""},
    {"R:\\", "R:", "\\", "", ""},
    {"c:name.txt", "c:", "", "name", ".txt"},
    {"\\DATA\\x", "", "\\DATA\\", "x", ""},
    {".profile", "", "", "", ".profile"},
    {"1:\\x", "", "1:\\", "x", ""},
    {"\\\\server\\share\\DATA\\DUMMY", "\\\\server\\share", "\\DATA\\", "DUMMY", ""},
    {"\\\\server\\share", "\\\\server\\share", "", "", ""},
    {"\\\\server", "\\\\server", "", "", ""},
    // ソ and 表 end in the byte 0x5C, which stays inside its character.
    {"C:\\データ\\ソフト", "C:", "\\データ\\", "ソフト", ""},
    {"C:\\表\\能.txt", "C:", "\\表\\", "能", ".txt"},
    {"\\\\サーバ\\ソ\\表", "\\\\サーバ\\ソ", "\\", "表", ""},
    {"C:\\ソ", "C:", "\\", "ソ", ""},
};

}  // namespace

TEST(SplitPathTest, CutsIntoDriveFolderNameAndExtension) {
    for (const Row& row : kRows) {
        const rt::PathParts parts = rt::SplitPath(row.path);
        EXPECT_EQ(parts.drive, row.drive) << row.path;
        EXPECT_EQ(parts.folder, row.folder) << row.path;
        EXPECT_EQ(parts.name, row.name) << row.path;
        EXPECT_EQ(parts.extension, row.extension) << row.path;
        EXPECT_EQ(parts.drive + parts.folder + parts.name + parts.extension, row.path);
    }
}

TEST(SplitPathTest, ALeadByteAtTheEndIsACharacterOfItsOwn) {
    const rt::PathParts parts = rt::SplitPath("C:\\a\\b\x83");
    EXPECT_EQ(parts.folder, "\\a\\");
    EXPECT_EQ(parts.name, "b\x83");
}
