#include "runtime/Cp932.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

// The Windows tests run under a Japanese and an English system code page;
// every conversion must come out the same under both.
TEST(Cp932Test, RunsUnderTheSystemCodePageItWasStartedFor) {
    const char* expected = std::getenv("SORATN2_EXPECTED_ACP");
    if (expected == nullptr) GTEST_SKIP() << "started outside the Wine test environment";
    EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
}

TEST(Cp932Test, ConvertsJapaneseTextWhateverTheSystemCodePage) {
    EXPECT_EQ(rt::ToWide("ソ表ｱ"), L"\u30BD\u8868\uFF71");
    EXPECT_EQ(rt::ToCp932(L"\u30BD\u8868\uFF71"), "\x83\x5C\x95\x5C\xB1");
    EXPECT_EQ(rt::ToWide("＜＜　ソラタナ　Ver.２ L20　＞＞"),
              L"\uFF1C\uFF1C\u3000\u30BD\u30E9\u30BF\u30CA\u3000Ver.\uFF12 L20\u3000\uFF1E\uFF1E");
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
