#include "runtime/lang/FolderName.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Names Windows makes exactly as written.
const char* const kExact[] = {
    "A", "Data.old", "a.b.c", " lead", "ソ表", "能ソ", "ｱﾞ", "価格￥100", "a／b：c", "CONSOLE", "COM10",
    "LPT", "COM0", "NULL.txt", "xCON", "CON_", "...a", ".profile", "a b", "　", "ａ．",
};

// Names Windows refuses, or makes as another name.
const char* const kRefused[] = {
    "", ".", "..", "...", " ", "   ", "a.", "a ", "a. ", "a .", "ソ.", "\x83\x5C ",
    "a\\b", "a/b", "co:lon", "q?x", "st*r", "lt<", "gt>", "pi|pe", "quo\"te", "cr\r\nlf", "tab\tname",
    "\x1F", "CON", "con", "Aux", "PRN", "nul", "COM1", "com9", "LPT1", "lpt9", "CON.txt", "lpt1.txt",
    "Com9.tar.gz", "CON .txt", "nul  ",
    // A lead byte alone, or before a byte that cannot follow it.
    "a\x83", "\x81\x20", "\x81\x7F",
};

}  // namespace

TEST(FolderNameTest, NamesWindowsMakesAsWrittenAreExact) {
    for (const char* name : kExact) EXPECT_TRUE(rt::IsExactFolderName(name)) << name;
}

TEST(FolderNameTest, NamesWindowsRefusesOrChangesAreNot) {
    for (const char* name : kRefused) EXPECT_FALSE(rt::IsExactFolderName(name)) << name;
}

TEST(FolderNameTest, SeparatorBytesInsideADoubleByteCharacterAreNoSeparators) {
    // ソ and 表 end in the byte of "\", ポ in that of "|".
    EXPECT_TRUE(rt::IsExactFolderName("\x83\x5C"));
    EXPECT_TRUE(rt::IsExactFolderName("\x83\x7C"));
    EXPECT_TRUE(rt::IsExactFolderName(std::string("\x95\x5C\x83\x7C", 4)));
    EXPECT_FALSE(rt::IsExactFolderName(std::string("\x95\x5C\\", 3)));
}
