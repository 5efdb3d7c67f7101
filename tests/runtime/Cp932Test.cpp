#include "runtime/Cp932.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

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

// The system's nearest forms would turn ¥ into "\" (a separator), é into "e"
// and ¬ into ￢: each a different name.
TEST(Cp932Test, TextWithoutAnExactFormIsKnownAsSuch) {
    for (const std::wstring text : {L"..\u00A5..\u00A5x", L"caf\u00E9", L"\u00AC", L"\U0001F600",
                                    L"\U00020BB7", L"\uD55C\uAE00", L"a\xD800", L"\xDC00z"}) {
        std::string bytes = "unchanged";
        EXPECT_FALSE(rt::ToCp932(text, bytes)) << rt::ToCp932Shown(text);
        EXPECT_EQ(bytes, "");
    }
    std::string bytes = "unchanged";
    EXPECT_TRUE(rt::ToCp932(L"", bytes));
    EXPECT_EQ(bytes, "");
}

TEST(Cp932Test, ShownTextHasAQuestionMarkForEachCharacterWithoutAForm) {
    EXPECT_EQ(rt::ToCp932Shown(L"..\u00A5..\u00A5x"), "..?..?x");
    EXPECT_EQ(rt::ToCp932Shown(L"\u30BD\U0001F600\u8868"), "\x83\x5C?\x95\x5C");
    EXPECT_EQ(rt::ToCp932Shown(L"na\u00EFve\xD800"), "na?ve?");
    EXPECT_EQ(rt::ToCp932Shown(L"C:\\DATA\r\n"), "C:\\DATA\r\n");
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
