#include "runtime/system/LentPlaces.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/lang/Strings.h"
#include "runtime/system/IconvCp932Table.h"

namespace {

// Characters from Mac and web input that look like Japanese punctuation but
// have no code page 932 form, and others from abroad.
const std::vector<std::u16string> kWithoutAForm = {
    u"4月\u301C6月", u"A\u2212B", u"見積\u2014改\u2016", u"\u00A2\u00A3\u00AC", u"価格\u00A5100", u"caf\u00E9",
    u"na\u00EFve",   u"\U0001F600", u"\uD55C\uAE00\\\U00020BB7野家", u"a\xD800", u"\xDC00z", u"\xDBFF\xDBFF"};

class LentPlacesTest : public ::testing::Test {
protected:
    std::string Program(std::u16string_view text) {
        std::string bytes;
        EXPECT_TRUE(places.ToProgram(text, bytes));
        return bytes;
    }
    std::u16string System(std::string_view bytes) {
        std::u16string text;
        EXPECT_TRUE(places.ToSystem(bytes, false, text));
        return text;
    }

    test::IconvCp932Table table;
    rt::LentPlaces places{table};
};

std::size_t CodePoints(std::u16string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++at, ++count) {
        if (text[at] >= 0xD800 && text[at] <= 0xDBFF && at + 1 < text.size() && text[at + 1] >= 0xDC00 &&
            text[at + 1] <= 0xDFFF) {
            ++at;
        }
    }
    return count;
}

// Every byte of "\/:*?"<>|" or below 32 in the program form must be the
// second byte of a whole character, or come from the text itself.
std::string SingleByteCharacters(std::string_view bytes) {
    std::string singles;
    for (std::size_t at = 0; at < bytes.size(); at = rt::NextCharOffset(bytes, at)) {
        if (rt::NextCharOffset(bytes, at) == at + 1) singles += bytes[at];
    }
    return singles;
}

}  // namespace

TEST_F(LentPlacesTest, EveryCharacterWithoutAFormComesBackExactlyAsOneDoubleByteCharacter) {
    for (const std::u16string& text : kWithoutAForm) {
        const std::string bytes = Program(text);
        EXPECT_EQ(System(bytes), text);
        EXPECT_EQ(static_cast<std::size_t>(rt::CharLen(bytes)), CodePoints(text));
        std::string ascii;
        for (const char16_t unit : text) {
            if (unit < 0x80) ascii += static_cast<char>(unit);
        }
        EXPECT_EQ(SingleByteCharacters(bytes), ascii);
        EXPECT_TRUE(places.HoldsLent(bytes));
    }
}

TEST_F(LentPlacesTest, TextWithAFormIsItsFormByteForByte) {
    for (const std::u16string text : {u"\u30BD\u8868", u"\uFF76\uFF85\uFF5E全角", u"C:\\DATA\\a.b", u"", u"\uE000"}) {
        std::string own;
        ASSERT_TRUE(table.Encode(text, own));
        EXPECT_EQ(Program(text), own);
        EXPECT_FALSE(places.HoldsLent(own));
        EXPECT_EQ(places.Written(own), own);
    }
}

TEST_F(LentPlacesTest, ACharacterKeepsItsPlaceForTheRunAndFindsItFreeAfterward) {
    const std::string first = Program(u"\u301C");
    EXPECT_EQ(first, "\xF9\xFC");
    EXPECT_EQ(Program(u"\u2212"), "\xF9\xFB");
    EXPECT_EQ(Program(u"x\u301C"), "x\xF9\xFC");
    places.Forget();
    EXPECT_EQ(Program(u"\u2212"), "\xF9\xFC");
    EXPECT_EQ(System("\xF9\xFC"), u"\u2212");
}

// F9FC is the own place of U+E757, the first place lent.
TEST_F(LentPlacesTest, AUserDefinedCharacterKeepsItsBytesUnlessItsPlaceWasLentFirst) {
    EXPECT_EQ(Program(u"\uE000"), "\xF0\x40");
    EXPECT_EQ(Program(u"\u301C"), "\xF9\xFC");
    const std::string moved = Program(u"\uE757");
    EXPECT_EQ(moved, "\xF9\xFB");
    EXPECT_EQ(System("\xF0\x40\xF9\xFC\xF9\xFB"), u"\uE000\u301C\uE757");
    EXPECT_EQ(places.Written("\xF0\x40\xF9\xFC\xF9\xFB"), "\xF0\x40??");
}

TEST_F(LentPlacesTest, BytesOfAFreePlaceKeepTheirOwnMeaningForTheRest) {
    EXPECT_EQ(System("\xF9\xFC"), u"\uE757");
    EXPECT_EQ(Program(u"\u301C"), "\xF9\xFB");
    EXPECT_EQ(System("\xF9\xFC\xF9\xFB"), u"\uE757\u301C");
}

TEST_F(LentPlacesTest, WhenEveryPlaceIsLentFurtherCharactersReadAsQuestionMarks) {
    // Places whose second byte is "\" or "|" are never lent: 1880 - 20.
    int lent = 0;
    for (char32_t codePoint = 0x4E00 + 0x10000; lent < 1860; ++codePoint, ++lent) {
        const std::u16string text{static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10)),
                                  static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF))};
        const std::string bytes = Program(text);
        ASSERT_EQ(bytes.size(), 2u);
        EXPECT_NE(bytes[1], '\\');
        EXPECT_NE(bytes[1], '|');
    }
    std::string bytes = "unchanged";
    EXPECT_FALSE(places.ToProgram(u"ソ\u301C", bytes));
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(places.ToProgramShown(u"ソ\u301C"), "\x83\x5C?");
    EXPECT_EQ(Program(u"\U00014E00"), "\xF9\xFC");
}

TEST_F(LentPlacesTest, FilesGetAQuestionMarkForEachLentCharacter) {
    const std::string bytes = Program(u"\u55B6\u696D\u301C\u4F01\u753B\\\U0001F600.txt");
    EXPECT_EQ(places.Written(bytes), "\x89\x63\x8B\xC6?\x8A\xE9\x89\xE6\\?.txt");
    EXPECT_EQ(places.Written("\xF9"), "\xF9");
}
