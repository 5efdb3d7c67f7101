#include "runtime/lang/Strings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <string_view>

#include "support/ErrorOf.h"

namespace {

using namespace std::string_literals;
using namespace std::string_view_literals;

constexpr long double kAll = rt::kMaxStringLength;

using test::ErrorOf;

// "81 8F": bytes as hex, so that a failure shows what was produced.
std::string Hex(std::string_view bytes) {
    std::string text;
    for (const char byte : bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned char>(byte));
        text += (text.empty() ? "" : " ") + std::string(pair);
    }
    return text;
}

// --- Characters ---------------------------------------------------------

TEST(StringsTest, LeadBytesAreTheTwoCodePage932Ranges) {
    const struct {
        unsigned char byte;
        bool lead;
    } cases[] = {
        {0x00, false}, {0x7F, false}, {0x80, false}, {0x81, true},  {0x9F, true},  {0xA0, false},
        {0xDF, false}, {0xE0, true},  {0xFC, true},  {0xFD, false}, {0xFF, false},
    };
    for (const auto& c : cases) EXPECT_EQ(rt::IsLeadByte(c.byte), c.lead) << static_cast<int>(c.byte);
}

TEST(StringsTest, NextCharOffsetStepsOverWholeCharactersAndALoneLeadByteAtTheEnd) {
    const std::string_view s = "aＡ\x82";
    EXPECT_EQ(rt::NextCharOffset(s, 0), 1u);
    EXPECT_EQ(rt::NextCharOffset(s, 1), 3u);
    EXPECT_EQ(rt::NextCharOffset(s, 3), 4u);
}

TEST(StringsTest, LengthsCountCharactersAndBytes) {
    const struct {
        std::string_view s;
        std::int32_t chars;
        std::int32_t bytes;
    } cases[] = {
        {"", 0, 0},
        {"abc", 3, 3},
        {"ＡＢ", 2, 4},
        {"ｶﾞ", 2, 2},                  // half-width katakana are single bytes
        {"ＡＢ\x82", 3, 5},            // a lead byte at the end is a character of its own
        {"\x81\x81\x81", 2, 3},        // the byte after a lead byte belongs to it, even another lead byte
        {"\x82\0a"sv, 2, 3},           // zero bytes are ordinary bytes
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rt::CharLen(c.s), c.chars) << Hex(c.s);
        EXPECT_EQ(rt::ByteLen(c.s), c.bytes) << Hex(c.s);
    }
}

TEST(StringsTest, ConcatenationKeepsEveryByte) {
    EXPECT_EQ(rt::Concat("a\0"sv, "\x82"), "a\0\x82"s);
    EXPECT_EQ(rt::Concat("\x82", "\x60"), "Ａ");  // two halves make one character
}

TEST(StringsTest, LengthLimitsRaise15BeforeAnyCopyIsMade) {
    constexpr std::size_t kGiB = std::size_t{1} << 30;
    const std::unique_ptr<char[]> buffer(new (std::nothrow) char[kGiB]);
    if (!buffer) GTEST_SKIP() << "no memory for a 1 GiB buffer";
    const std::string_view big(buffer.get(), kGiB);
    EXPECT_EQ(ErrorOf([&] { rt::Concat(big, big); }), 15);  // one byte over the maximum
    EXPECT_EQ(ErrorOf([&] { rt::FullWidth(big); }), 15);
}

// --- Left and middle parts ------------------------------------------------

TEST(StringsTest, LeftByCharactersNeverSplitsADoubleByteCharacter) {
    EXPECT_EQ(rt::LeftChars("ＡＢ", 1), "Ａ");
    EXPECT_EQ(rt::LeftBytes("ＡＢ", 1), "\x82");
}

TEST(StringsTest, LeftPartTakesTheFirstCharactersOrBytes) {
    const std::string_view s = "aＡb\x82";  // 4 characters, 5 bytes
    const struct {
        long double n;
        std::string_view chars;
        std::string_view bytes;
    } cases[] = {
        {0, "", ""},
        {0.4L, "", ""},
        {1, "a", "a"},
        {2, "aＡ", "a\x82"},
        {2.5L, "aＡb", "aＡ"},  // ties away from zero
        {4, s, "aＡb"},
        {5, s, s},
        {kAll, s, s},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rt::LeftChars(s, c.n), c.chars) << static_cast<double>(c.n);
        EXPECT_EQ(rt::LeftBytes(s, c.n), c.bytes) << static_cast<double>(c.n);
    }
}

TEST(StringsTest, MiddlePartByCharactersTakesWholeCharacters) {
    const std::string_view s = "aＡbＢ";  // 4 characters, 6 bytes
    const struct {
        long double start;
        long double count;
        std::string_view expected;
    } cases[] = {
        {1, kAll, s},
        {2, 1, "Ａ"},
        {2, 2, "Ａb"},
        {4, 5, "Ｂ"},
        {2, 0, ""},
        {5, 1, ""},     // one past the last character
        {6, kAll, ""},
        {1.5L, 1.5L, "Ａb"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rt::MidChars(s, c.start, c.count), c.expected)
            << static_cast<double>(c.start) << ", " << static_cast<double>(c.count);
    }
    EXPECT_EQ(rt::MidChars(s, 3), "bＢ");
    EXPECT_EQ(rt::MidChars("aＡ\x82", 3, 1), "\x82");
}

TEST(StringsTest, MiddlePartByBytesMaySplitACharacter) {
    const std::string_view s = "aＡbＢ";
    const struct {
        long double start;
        long double count;
        std::string_view expected;
    } cases[] = {
        {2, 2, "Ａ"},
        {3, 1, "\x60"},  // the second byte of Ａ
        {5, kAll, "Ｂ"},
        {6, 1, "\x61"},
        {7, 1, ""},
        {9, kAll, ""},
        {2, 0, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rt::MidBytes(s, c.start, c.count), c.expected)
            << static_cast<double>(c.start) << ", " << static_cast<double>(c.count);
    }
    EXPECT_EQ(rt::MidBytes(" 123", 2), "123");
}

TEST(StringsTest, NonPositiveStartsAndNegativeCountsRaise5) {
    EXPECT_EQ(ErrorOf([] { rt::LeftChars("abc", -1); }), 5);
    EXPECT_EQ(ErrorOf([] { rt::LeftBytes("abc", -0.5L); }), 5);  // rounds to -1
    EXPECT_EQ(ErrorOf([] { rt::MidChars("abc", 0, 1); }), 5);
    EXPECT_EQ(ErrorOf([] { rt::MidChars("abc", 0.4L, 1); }), 5);
    EXPECT_EQ(ErrorOf([] { rt::MidChars("", 1, -1); }), 5);
    EXPECT_EQ(ErrorOf([] { rt::MidBytes("abc", -1, 1); }), 5);
    EXPECT_EQ(ErrorOf([] { rt::MidBytes("abc", 9, -1); }), 5);
    EXPECT_EQ(ErrorOf([] { rt::InStrChars(0, "abc", "a"); }), 5);
    EXPECT_EQ(ErrorOf([] { rt::InStrChars(0, "", ""); }), 5);
    EXPECT_EQ(ErrorOf([] { rt::InStrBytes(-1, "abc", "a"); }), 5);
}

TEST(StringsTest, NumbersBeyondTheIntegerRangeRaise6) {
    EXPECT_EQ(ErrorOf([] { rt::LeftChars("abc", 2147483648.0L); }), 6);
    EXPECT_EQ(ErrorOf([] { rt::MidBytes("abc", 1, 3e9L); }), 6);
    EXPECT_EQ(ErrorOf([] { rt::InStrChars(-3e9L, "abc", "a"); }), 6);
}

// --- Search ---------------------------------------------------------------

TEST(StringsTest, SearchFindsTheFirstOccurrenceFromStart) {
    const struct {
        long double start;
        std::string_view t;
        std::string_view p;
        std::int32_t chars;
        std::int32_t bytes;
    } cases[] = {
        {1, "abab", "ab", 1, 1},
        {2, "abab", "ab", 3, 3},
        {4, "abab", "ab", 0, 0},   // fewer bytes left than the pattern has
        {1, "abc", "bd", 0, 0},
        {1, "ＡＢc", "c", 3, 5},   // positions count characters or bytes
        {2, "ＡＡ", "Ａ", 2, 3},
        {1, "ＡＢ", "\x60", 0, 2},  // only the byte search looks inside a character
        {1, "Ａa", "\x60" "a", 0, 2},
        {1, "a\x82", "\x82", 2, 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rt::InStrChars(c.start, c.t, c.p), c.chars) << Hex(c.t) << " / " << Hex(c.p);
        EXPECT_EQ(rt::InStrBytes(c.start, c.t, c.p), c.bytes) << Hex(c.t) << " / " << Hex(c.p);
    }
}

TEST(StringsTest, EmptyPatternGivesStartOnlyWithinT) {
    const struct {
        long double start;
        std::string_view t;
        std::int32_t chars;
        std::int32_t bytes;
    } cases[] = {
        {1, "abc", 1, 1},
        {3, "abc", 3, 3},
        {4, "abc", 0, 0},
        {1, "", 0, 0},
        {3, "ＡＢ", 0, 3},  // two characters, four bytes
    };
    for (const auto& c : cases) {
        const int start = static_cast<int>(c.start);
        EXPECT_EQ(rt::InStrChars(c.start, c.t, ""), c.chars) << Hex(c.t) << " from " << start;
        EXPECT_EQ(rt::InStrBytes(c.start, c.t, ""), c.bytes) << Hex(c.t) << " from " << start;
    }
}

TEST(StringsTest, SearchGivesZeroForAPatternLongerThanTOrAStartBeyondIt) {
    EXPECT_EQ(rt::InStrChars(1, "ab", "abc"), 0);
    EXPECT_EQ(rt::InStrBytes(1, "ab", "abc"), 0);
    EXPECT_EQ(rt::InStrChars(3, "ＡＢ", "Ｂ"), 0);
    EXPECT_EQ(rt::InStrBytes(5, "ＡＢ", "\x61"), 0);
    EXPECT_EQ(rt::InStrChars(1, "", "a"), 0);
}

// --- Character from code --------------------------------------------------

TEST(StringsTest, ChrGivesOneBytePerCode) {
    EXPECT_EQ(rt::Chr({0}), "\0"s);
    EXPECT_EQ(rt::Chr({255}), "\xFF");
    EXPECT_EQ(rt::Chr({13, 10, 27, 34}), "\r\n\x1B\"");
    EXPECT_EQ(rt::Chr({65.5L}), "B");
}

TEST(StringsTest, ChrOfACodeOutside0To255Raises5) {
    EXPECT_EQ(ErrorOf([] { rt::Chr({256}); }), 5);
    EXPECT_EQ(ErrorOf([] { rt::Chr({-1}); }), 5);
    EXPECT_EQ(ErrorOf([] { rt::Chr({65, 256}); }), 5);
}

// --- Full-width form --------------------------------------------------------

TEST(StringsTest, FullWidthFormsHaveTheirCodePage932Bytes) {
    const struct {
        std::string_view in;
        std::string_view hex;
    } cases[] = {
        {" ", "81 40"},  {"\\", "81 8F"}, {"~", "81 50"},  {"\"", "81 68"}, {"'", "81 66"},
        {"-", "81 7C"},  {"`", "81 4D"},  {"A", "82 60"},  {"a", "82 81"},  {"0", "82 4F"},
        {"ｶﾞ", "83 4B"}, {"ﾊﾟ", "83 70"}, {"ﾞ", "81 4A"}, {"ﾟ", "81 4B"},  {"\t", "81 A1"},
    };
    for (const auto& c : cases) EXPECT_EQ(Hex(rt::FullWidth(c.in)), c.hex) << Hex(c.in);
}

TEST(StringsTest, FullWidthOfPrintableAsciiKeepsItsShape) {
    const struct {
        std::string_view in;
        std::string_view expected;
    } cases[] = {
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ"},
        {"abcdefghijklmnopqrstuvwxyz", "ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ"},
        {"0123456789", "０１２３４５６７８９"},
        {"!/", "！／"},   // first and last of each punctuation group
        {":@", "：＠"},
        {"[`", "［｀"},
        {"{~", "｛￣"},
        {"#$%&()*+,.", "＃＄％＆（）＊＋，．"},
        {";<=>?", "；＜＝＞？"},
        {"]^_", "］＾＿"},
        {"\x7F", "　"},
    };
    for (const auto& c : cases) EXPECT_EQ(rt::FullWidth(c.in), c.expected) << c.in;
}

TEST(StringsTest, FullWidthOfTheCharactersAFileNameMayNotHold) {
    EXPECT_EQ(rt::FullWidth("\\/:*?<>|\""), "￥／：＊？＜＞｜”");
}

TEST(StringsTest, FullWidthOfHalfWidthKatakana) {
    const struct {
        std::string_view in;
        std::string_view expected;
    } cases[] = {
        {"\xA0", "　"},
        {"｡｢｣､･", "。「」、・"},
        {"ｦｧｨｩｪｫｬｭｮｯｰ", "ヲァィゥェォャュョッー"},
        {"ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄ", "アイウエオカキクケコサシスセソタチツテト"},
        {"ﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝ", "ナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン"},
    };
    for (const auto& c : cases) EXPECT_EQ(rt::FullWidth(c.in), c.expected) << Hex(c.in);
}

TEST(StringsTest, VoicedMarksMergeOnlyIntoKatakanaThatTakeThem) {
    const struct {
        std::string_view in;
        std::string_view expected;
    } cases[] = {
        {"ｶﾞ", "ガ"},       {"ﾄﾞ", "ド"},     {"ﾊﾞ", "バ"},     {"ﾎﾞ", "ボ"},
        {"ｵﾞ", "オ゛"},     {"ﾅﾞ", "ナ゛"},   {"ﾏﾞ", "マ゛"},   {"ｱﾞ", "ア゛"},
        {"ﾊﾟ", "パ"},       {"ﾎﾟ", "ポ"},     {"ｶﾟ", "カ゜"},   {"ﾏﾟ", "マ゜"},
        {"ﾞ", "゛"},        {"ﾟa", "゜ａ"},   {"ｶﾞﾞ", "ガ゛"},  {"ﾊﾟﾟ", "パ゜"},
        {"ｺﾞﾊﾟﾝ", "ゴパン"},
    };
    for (const auto& c : cases) EXPECT_EQ(rt::FullWidth(c.in), c.expected) << Hex(c.in);
}

TEST(StringsTest, VoicedMarksDoNotMergeIntoTheTrailByteOfADoubleByteCharacter) {
    EXPECT_EQ(rt::FullWidth("\x83\xB6\xDE"), "\x83\xB6゛");  // trail byte equals ｶ
    EXPECT_EQ(rt::FullWidth("\x88\xCA\xDF"), "\x88\xCA゜");  // trail byte equals ﾊ
}

TEST(StringsTest, FullWidthOfBytesWithoutAFormIsABlackSquare) {
    // Control characters, 0x80, 0xFD-0xFF, and lead bytes with nothing after them.
    const std::string_view cases[] = {
        "\0"sv, "\t"sv, "\x1F"sv, "\x80"sv, "\xFD"sv, "\xFE"sv, "\xFF"sv, "\x81"sv, "\xFC"sv,
    };
    for (const std::string_view in : cases) EXPECT_EQ(rt::FullWidth(in), "■") << Hex(in);
    EXPECT_EQ(rt::FullWidth("Ａ\x82"), "Ａ■");
}

TEST(StringsTest, FullWidthCopiesDoubleByteCharactersUnchanged) {
    EXPECT_EQ(rt::FullWidth("ＡあΩ漢ソ"), "ＡあΩ漢ソ");
    EXPECT_EQ(rt::FullWidth("\x81\x09"), "\x81\x09");
    EXPECT_EQ(rt::FullWidth("aＡｱ"), "ａＡア");
    EXPECT_EQ(rt::FullWidth(""), "");
}

// --- Number to text ---------------------------------------------------------

TEST(StringsTest, WholeNumbersGetASignPositionAndDigitsOnly) {
    const struct {
        long double x;
        std::string_view expected;
    } cases[] = {
        {0, " 0"},
        {-0.0L, " 0"},
        {123, " 123"},
        {-5, "-5"},
        {32767, " 32767"},
        {-32768, "-32768"},
        {16777216, " 16777216"},
        {2147483647, " 2147483647"},
        {1e20L, " 100000000000000000000"},
    };
    for (const auto& c : cases) EXPECT_EQ(rt::NumText(c.x), c.expected);
}

TEST(StringsTest, NumbersThatAreNotWholeKeepTheSignPositionAndTheirValue) {
    for (const long double x : {2.5L, -0.25L, 0.001L, -1234.5L}) {
        const std::string text = rt::NumText(x);
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text[0], x < 0 ? '-' : ' ') << text;
        EXPECT_DOUBLE_EQ(std::strtod(text.c_str() + 1, nullptr), static_cast<double>(x < 0 ? -x : x)) << text;
    }
}

}  // namespace
