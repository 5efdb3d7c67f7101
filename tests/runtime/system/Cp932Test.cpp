#include "runtime/system/Cp932.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "runtime/lang/Strings.h"
#include "runtime/system/SystemPath.h"

// The Windows tests run under a Japanese and an English system code page;
// every conversion must come out the same under both.
TEST(Cp932Test, RunsUnderTheSystemCodePageItWasStartedFor) {
    const char* expected = std::getenv("SORATN2_EXPECTED_ACP");
    if (expected == nullptr) GTEST_SKIP() << "started outside the Wine test environment";
    EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
}

TEST(Cp932Test, ConvertsJapaneseTextWhateverTheSystemCodePage) {
    EXPECT_EQ(rt::ToWide("ソ表ｱ"), L"\u30BD\u8868\uFF71");
    std::string bytes;
    EXPECT_TRUE(rt::ToCp932(L"\u30BD\u8868\uFF71", bytes));
    EXPECT_EQ(bytes, "\x83\x5C\x95\x5C\xB1");
    EXPECT_EQ(rt::ToWide("＜＜　ソラタナ　Ver.２ L20　＞＞"),
              L"\uFF1C\uFF1C\u3000\u30BD\u30E9\u30BF\u30CA\u3000Ver.\uFF12 L20\u3000\uFF1E\uFF1E");
}

// The system's nearest forms would turn ¥ into "\" (a separator), é into "e",
// 〜 U+301C into ～ U+FF5E and ¬ into ￢: each a different name. Each such
// character is lent a double-byte character of its own instead, which holds no
// byte of "\", ":", "*", "?" or a control code outside itself.
TEST(Cp932Test, TextWithoutAnExactFormComesBackExactlyWhateverTheSystemCodePage) {
    for (const std::wstring text :
         {L"..\u00A5..\u00A5x", L"caf\u00E9", L"\u00A2\u00A3\u00AC", L"\U0001F600", L"\U00020BB7\u91CE\u5BB6",
          L"\uD55C\uAE00", L"4\u6708\u301C6\u6708", L"A\u2212B", L"\u2014\u2016", L"a\xD800", L"\xDC00z"}) {
        SCOPED_TRACE(testing::PrintToString(text));
        std::string bytes;
        ASSERT_TRUE(rt::ToCp932(text, bytes));
        EXPECT_EQ(rt::ToWide(bytes), text);
        std::wstring path;
        EXPECT_TRUE(rt::ToWidePath("C:\\" + bytes, path));
        EXPECT_EQ(path, L"C:\\" + text);
        EXPECT_EQ(rt::ToCp932Shown(text), bytes);
        EXPECT_TRUE(rt::HoldsLentCharacters(bytes));
        for (std::size_t at = 0; at < bytes.size(); at = rt::NextCharOffset(bytes, at)) {
            const auto byte = static_cast<unsigned char>(bytes[at]);
            if (rt::NextCharOffset(bytes, at) == at + 1) {
                EXPECT_TRUE(byte >= 32 && byte < 0x80 && byte != '\\');
            }
        }
    }
    std::string bytes = "unchanged";
    EXPECT_TRUE(rt::ToCp932(L"", bytes));
    EXPECT_EQ(bytes, "");
}

TEST(Cp932Test, FilesAndTheLengthLimitSeeLentCharactersAsTheSystemDoes) {
    std::string bytes;
    ASSERT_TRUE(rt::ToCp932(L"C:\\\u55B6\u696D\u301C\u4F01\u753B\\caf\u00E9\\\U0001F600", bytes));
    EXPECT_EQ(rt::WrittenForm(bytes), "C:\\\x89\x63\x8B\xC6?\x8A\xE9\x89\xE6\\caf?\\?");
    // "\\?\" and 3 + 5 + 1 + 4 + 1 + 2 units, against 3 + 10 + 1 + 5 + 1 + 2 bytes.
    EXPECT_EQ(rt::PathLength(bytes), 20u);
    EXPECT_EQ(rt::PathLength("C:\\\x89\x63\x8B\xC6"), 9u);
    EXPECT_EQ(rt::WrittenForm("C:\\\x83\x5C"), "C:\\\x83\x5C");
}

TEST(Cp932Test, TheSystemSeesTextUpToTheFirstZeroByte) {
    EXPECT_EQ(rt::ToWide(std::string("ab\0cd", 5)), L"ab");
    EXPECT_EQ(rt::ToWide(""), L"");
}

TEST(Cp932Test, PathsThatAreNoCodePage932TextAreRefused) {
    std::wstring wide = L"unchanged";
    EXPECT_FALSE(rt::ToWidePath("C:\\a\x81", wide));
    EXPECT_TRUE(rt::ToWidePath("C:\\ソ", wide));
    EXPECT_EQ(wide, L"C:\\\u30BD");
}
