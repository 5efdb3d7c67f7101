#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program/Program.h"
#include "runtime/lang/Strings.h"

namespace {

std::vector<int> Separators(const std::string& text) {
    rt::Array<rt::Int16> positions(rt::ByteLen(text));
    program::INSTR_SUB(text, "\\", positions);
    std::vector<int> found;
    for (int k = 1; k <= positions[0]; ++k) found.push_back(positions[k]);
    return found;
}

std::string Corrected(std::string name) {
    program::ファイル名修正_SUB(name);
    return name;
}

}  // namespace

TEST(NameUtilitiesTest, InstrFindsEverySeparatorByBytePosition) {
    EXPECT_EQ(Separators("C:\\DATA\\SUB"), (std::vector<int>{3, 8}));
    EXPECT_EQ(Separators("C:"), std::vector<int>{});
    EXPECT_EQ(Separators("\\\\server\\share"), (std::vector<int>{1, 2, 9}));
    rt::Array<rt::Int16> positions(3);
    positions[3] = 77;
    program::INSTR_SUB("a\\b", "\\", positions);
    EXPECT_EQ(positions[0], 1);
    EXPECT_EQ(positions[3], 77);  // elements past the count stay as they were
}

TEST(NameUtilitiesTest, InstrTakesNoSecondByteForASeparator) {
    // ソ is 83 5C and 表 95 5C: their second byte is the byte of "\".
    EXPECT_EQ(Separators("A\\ソ\\X"), (std::vector<int>{2, 5}));
    EXPECT_EQ(Separators("C:\\データ\\ソフト"), (std::vector<int>{3, 10}));
    EXPECT_EQ(Separators("表能十"), std::vector<int>{});
}

TEST(NameUtilitiesTest, NameCorrectionReplacesTheNineForbiddenCharacters) {
    EXPECT_EQ(Corrected("a/b:c"), "a／b：c");
    EXPECT_EQ(Corrected("\\/:*?<>|\""), "￥／：＊？＜＞｜”");
    EXPECT_EQ(Corrected("\"quoted\""), "”quoted”");
    EXPECT_EQ(Corrected(""), "");
    EXPECT_EQ(Corrected("Data.old ｱｲ"), "Data.old ｱｲ");
    EXPECT_EQ(Corrected("ソフト表"), "ソフト表");
    EXPECT_EQ(Corrected("ソ/表"), "ソ／表");
    EXPECT_EQ(Corrected("￥"), "\x81\x8F");
}
