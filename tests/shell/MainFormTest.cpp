#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "program/Program.h"
#include "runtime/files/FileStatements.h"
#include "shell/MainFormAtStartup.h"
#include "support/ProgramRun.h"
#include "support/WindowGeometry.h"

namespace {

std::wstring TextOf(HWND window) {
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return text;
}

// The character size of the font the control really draws with, in pixels,
// and its face: what the user sees.
struct DrawnFont {
    LONG characterSize;
    std::wstring face;
};

DrawnFont FontOf(HWND window) {
    HDC dc = GetDC(window);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    wchar_t face[LF_FACESIZE] = L"";
    GetTextFaceW(dc, LF_FACESIZE, face);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return {metrics.tmHeight - metrics.tmInternalLeading, face};
}

}  // namespace

TEST(MainFormTest, StartsWithEveryControlAsTheFormDefinesIt) {
    test::RunProgramWith({[] {
        const HWND form = program::MAINFORM.window;
        for (int id = 1; id <= 19; ++id) {
            const test::ExpectedControl& expected = test::kStartupState[id - 1];
            const HWND control = GetDlgItem(form, id);
            ASSERT_NE(control, nullptr) << id;
            wchar_t className[32] = L"";
            GetClassNameW(control, className, 32);
            EXPECT_EQ(CompareStringOrdinal(className, -1, expected.className, -1, TRUE), CSTR_EQUAL) << id;
            EXPECT_EQ(TextOf(control), expected.text) << id;
            const RECT rect = test::PlaceInParent(control);
            EXPECT_EQ(rect.left, expected.x) << id;
            EXPECT_EQ(rect.top, expected.y) << id;
            EXPECT_EQ(rect.right - rect.left, expected.width) << id;
            EXPECT_EQ(rect.bottom - rect.top, expected.height) << id;
            EXPECT_EQ(IsWindowEnabled(control) != FALSE, expected.enabled) << id;
            EXPECT_EQ((GetWindowLongW(control, GWL_STYLE) & WS_TABSTOP) != 0, expected.tabStop) << id;
            // The test displays have 96 dots per inch, where size 14 is 14 pixels.
            const DrawnFont font = FontOf(control);
            EXPECT_EQ(font.characterSize, 14) << id;
            EXPECT_EQ(font.face, L"ＭＳ Ｐゴシック") << id;
        }
    }});
}

TEST(MainFormTest, IsTitledCentredAndOfItsInitialSize) {
    test::RunProgramWith({[] {
        const HWND form = program::MAINFORM.window;
        EXPECT_EQ(TextOf(form),
                  L"\u3000\u3000\u3000\u3000\u3000\u3000\uFF1C\uFF1C\u3000\u30BD\u30E9\u30BF\u30CA"
                  L"\u3000Ver.\uFF12 L20\u3000\uFF1E\uFF1E");
        EXPECT_EQ(program::titleText,
                  "\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x83\x81\x83\x81\x40"
                  "\x83\x5C\x83\x89\x83\x5E\x83\x69\x81\x40Ver.\x82\x51 L20\x81\x40\x81\x84\x81\x84");
        RECT rect{};
        GetWindowRect(form, &rect);
        EXPECT_EQ(rect.right - rect.left, 700);
        EXPECT_EQ(rect.bottom - rect.top, 550);
        EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 700) / 2);
        EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 550) / 2);
        EXPECT_TRUE(IsWindowVisible(form));
        EXPECT_EQ(program::formWidth, 700);
        EXPECT_EQ(program::formHeight, 550);
        EXPECT_EQ(program::textSize, 14);
        EXPECT_EQ(program::startDir, rt::CurrentFolder(""));
        const LONG style = GetWindowLongW(form, GWL_STYLE);
        EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
        EXPECT_EQ(SendMessageW(program::LIST1.window, LB_GETCOUNT, 0, 0), 0);
    }});
}

TEST(MainFormTest, ControlsCarryTheirOwnSettings) {
    test::RunProgramWith({[] {
        const HWND list = program::LIST1.window;
        const LONG style = GetWindowLongW(list, GWL_STYLE);
        EXPECT_TRUE(style & LBS_SORT);
        EXPECT_TRUE(style & LBS_MULTIPLESEL);
        EXPECT_TRUE(style & LBS_NOTIFY);
        EXPECT_TRUE(GetWindowLongW(program::EDIT1.window, GWL_STYLE) & ES_NOHIDESEL);
        EXPECT_EQ(SendMessageW(program::EDIT1.window, EM_GETLIMITTEXT, 0, 0), 32767);
        // Typing goes on past the visible width: the box scrolls.
        for (int typed = 0; typed < 100; ++typed) SendMessageW(program::EDIT1.window, WM_CHAR, L'a', 1);
        EXPECT_EQ(GetWindowTextLengthW(program::EDIT1.window), 100);
        EXPECT_EQ(GetWindowLongW(program::CHECK1.window, GWL_STYLE) & BS_TYPEMASK, BS_AUTOCHECKBOX);
        EXPECT_EQ(SendMessageW(program::CHECK1.window, BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_EQ(GetWindowLongW(program::TEXT2.window, GWL_STYLE) & SS_TYPEMASK, SS_RIGHT);
    }});
}
