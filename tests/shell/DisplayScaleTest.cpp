#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "program/Program.h"
#include "runtime/system/Cp932.h"
#include "shell/ListOperations.h"
#include "shell/MainFormAtStartup.h"
#include "support/ChildProgram.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"
#include "support/WindowGeometry.h"

// The form at the dots per inch of this process's screen: every place and
// size of the 96-dpi form times dpi/96. The normal run has a 96-dpi screen;
// DisplayScalingTest runs these tests again in processes started at 120 and
// 144 dpi.
namespace {

// Rounding a place and a size each may move an edge by a pixel.
constexpr int kRounding = 2;

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int Scaled(int pixels, int dpi = ScreenDpi()) { return MulDiv(pixels, dpi, 96); }

using test::OuterSize;
using test::Resize;

// Every control at its start-up place, scaled to `dpi`.
void ExpectControlsAt(int dpi) {
    for (int id = 1; id <= 19; ++id) {
        const test::ExpectedControl& expected = test::kStartupState[id - 1];
        const RECT place = test::PlaceInParent(GetDlgItem(program::MAINFORM.window, id));
        EXPECT_NEAR(place.left, Scaled(expected.x, dpi), kRounding) << id;
        EXPECT_NEAR(place.top, Scaled(expected.y, dpi), kRounding) << id;
        EXPECT_NEAR(place.right - place.left, Scaled(expected.width, dpi), kRounding) << id;
        EXPECT_NEAR(place.bottom - place.top, Scaled(expected.height, dpi), kRounding) << id;
    }
}

// The font a control draws with, selected into a device context of its own.
class ControlFont {
public:
    explicit ControlFont(HWND control) : control_(control), dc_(GetDC(control)) {
        previous_ = SelectObject(dc_, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
        GetTextMetricsW(dc_, &metrics_);
    }
    ~ControlFont() {
        SelectObject(dc_, previous_);
        ReleaseDC(control_, dc_);
    }
    ControlFont(const ControlFont&) = delete;
    ControlFont& operator=(const ControlFont&) = delete;

    LONG CharacterSize() const { return metrics_.tmHeight - metrics_.tmInternalLeading; }
    LONG LineHeight() const { return metrics_.tmHeight; }
    SIZE Extent(const std::wstring& text) const {
        SIZE size{};
        GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
        return size;
    }

private:
    HWND control_;
    HDC dc_;
    HGDIOBJ previous_;
    TEXTMETRICW metrics_{};
};

void ExpectFontsAt(int dpi, int listTextSize) {
    for (int id = 1; id <= 19; ++id) {
        const HWND control = GetDlgItem(program::MAINFORM.window, id);
        const int size = control == program::LIST1.window ? listTextSize : 14;
        EXPECT_NEAR(ControlFont(control).CharacterSize(), Scaled(size, dpi), 1) << id;
    }
}

// What a control's frame and marks leave of its width for the caption: a
// button's edges, the check box's box and the gap after it.
int RoomForCaption(HWND control, const std::wstring& className) {
    RECT client{};
    GetClientRect(control, &client);
    const LONG kind = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    if (className != L"Button") return client.right;
    if (kind == BS_AUTOCHECKBOX) return client.right - Scaled(13) - Scaled(4);
    return client.right - 2 * Scaled(2);
}

int ItemHeight() { return static_cast<int>(SendMessageW(program::LIST1.window, LB_GETITEMHEIGHT, 0, 0)); }

}  // namespace

TEST(ScaledFormTest, TheWindowAndEveryControlTakeTheir96DpiPlacesTimesTheScale) {
    // Started by DisplayScalingTest, the process must have the screen it was started for.
    if (const char* expected = std::getenv("SORATN2_TEST_DPI")) {
        ASSERT_EQ(ScreenDpi(), std::atoi(expected));
    }
    test::RunProgramWith({[] {
        const HWND form = program::MAINFORM.window;
        RECT outer{};
        GetWindowRect(form, &outer);
        EXPECT_EQ(outer.right - outer.left, Scaled(700));
        EXPECT_EQ(outer.bottom - outer.top, Scaled(550));
        EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - Scaled(700)) / 2);
        EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - Scaled(550)) / 2);
        // The program sees its own pixels.
        EXPECT_EQ(program::formWidth, 700);
        EXPECT_EQ(program::formHeight, 550);
        ExpectControlsAt(ScreenDpi());
        ExpectFontsAt(ScreenDpi(), 14);
    }});
}

TEST(ScaledFormTest, EveryCaptionFitsItsControlInTheFontItIsDrawnWith) {
    test::RunProgramWith({[] {
        for (int id = 1; id <= 19; ++id) {
            const test::ExpectedControl& expected = test::kStartupState[id - 1];
            if (*expected.text == L'\0') continue;
            const HWND control = GetDlgItem(program::MAINFORM.window, id);
            const ControlFont font(control);
            const SIZE caption = font.Extent(expected.text);
            RECT client{};
            GetClientRect(control, &client);
            EXPECT_LE(caption.cx, RoomForCaption(control, expected.className)) << id;
            EXPECT_LE(font.LineHeight(), client.bottom) << id;
        }
    }});
}

TEST(ScaledFormTest, TheListsLinesFollowItsTextSizeScaled) {
    test::RunProgramWith({
        [] {
            const int lineAt14 = ItemHeight();
            EXPECT_GE(lineAt14, Scaled(14));
            EXPECT_EQ(lineAt14, ControlFont(program::LIST1.window).LineHeight());
            program::SET_BUTTON(-1);
            for (int click = 0; click < 10; ++click) SendMessageW(program::BUTTON2.window, BM_CLICK, 0, 0);
        },
        [] {
            EXPECT_EQ(program::textSize, 24);
            ExpectFontsAt(ScreenDpi(), 24);
            EXPECT_GE(ItemHeight(), Scaled(24));
            EXPECT_EQ(ItemHeight(), ControlFont(program::LIST1.window).LineHeight());
            // Only the number of lines shown changes.
            EXPECT_EQ(OuterSize(program::LIST1.window).cy, Scaled(340));
        },
    });
}

TEST(ScaledFormTest, TheWindowSnapsBackToItsScaledMinimumAndTheListFollows) {
    const auto expectLayout = [](int width, int height) {
        const SIZE form = OuterSize(program::MAINFORM.window);
        EXPECT_EQ(form.cx, Scaled(width));
        EXPECT_EQ(form.cy, Scaled(height));
        EXPECT_EQ(program::formWidth, width);
        EXPECT_EQ(program::formHeight, height);
        const SIZE list = OuterSize(program::LIST1.window);
        EXPECT_NEAR(list.cx, Scaled(width - 50), kRounding);
        EXPECT_NEAR(list.cy, Scaled(height - 210), kRounding);
        const SIZE text = OuterSize(program::TEXT6.window);
        EXPECT_NEAR(text.cx, Scaled(width - 160), kRounding);
        EXPECT_NEAR(text.cy, Scaled(18), kRounding);
    };
    test::RunProgramWith({
        [] { Resize(program::MAINFORM.window, Scaled(600), Scaled(400)); },
        [&] { expectLayout(700, 550); },
        [] { Resize(program::MAINFORM.window, Scaled(800), Scaled(640)); },
        [&] { expectLayout(800, 640); },
    });
}

namespace {

// The dots per inch a system message announces: from 96 to 144, from any
// other back to 96.
int AnotherDpi() { return ScreenDpi() == 96 ? 144 : 96; }

RECT ProposedAt(int dpi) {
    RECT outer{};
    GetWindowRect(program::MAINFORM.window, &outer);
    return {outer.left, outer.top, outer.left + Scaled(700, dpi), outer.top + Scaled(550, dpi)};
}

std::vector<int> SelectedItems() {
    std::vector<int> selected(300);
    selected.resize(static_cast<std::size_t>(SendMessageW(program::LIST1.window, LB_GETSELITEMS, 300,
                                                          reinterpret_cast<LPARAM>(selected.data()))));
    return selected;
}

}  // namespace

TEST(ScaledFormTest, ANewDotsPerInchRescalesTheFormAndTheListKeepsItsItems) {
    const int dpi = AnotherDpi();
    test::RunProgramWith({
        [] {
            char name[16];
            for (int i = 0; i < 200; ++i) {
                std::snprintf(name, sizeof name, "F%03d", i);
                shell::AddItem(program::LIST1, name);
            }
        },
        [dpi] {
            for (const int item : {3, 57, 140}) SendMessageW(program::LIST1.window, LB_SETSEL, TRUE, item);
            SendMessageW(program::LIST1.window, LB_SETTOPINDEX, 50, 0);
            RECT proposed = ProposedAt(dpi);
            SendMessageW(program::MAINFORM.window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                         reinterpret_cast<LPARAM>(&proposed));
        },
        [dpi] {
            const SIZE form = OuterSize(program::MAINFORM.window);
            EXPECT_EQ(form.cx, Scaled(700, dpi));
            EXPECT_EQ(form.cy, Scaled(550, dpi));
            EXPECT_EQ(program::formWidth, 700);
            EXPECT_EQ(program::formHeight, 550);
            ExpectControlsAt(dpi);
            ExpectFontsAt(dpi, 14);
            EXPECT_EQ(ItemHeight(), ControlFont(program::LIST1.window).LineHeight());
            EXPECT_EQ(SendMessageW(program::LIST1.window, LB_GETCOUNT, 0, 0), 200);
            EXPECT_EQ(SelectedItems(), (std::vector<int>{3, 57, 140}));
            EXPECT_EQ(SendMessageW(program::LIST1.window, LB_GETTOPINDEX, 0, 0), 50);
            EXPECT_EQ(shell::ItemText(program::LIST1, 57), "F057");
            // The program's minimum is the new scale's.
            Resize(program::MAINFORM.window, Scaled(600, dpi), Scaled(400, dpi));
        },
        [dpi] {
            EXPECT_EQ(OuterSize(program::MAINFORM.window).cx, Scaled(700, dpi));
            EXPECT_EQ(OuterSize(program::MAINFORM.window).cy, Scaled(550, dpi));
        },
    });
}

namespace {

// The screen's dots per inch as the prefix gives them to every process that
// starts while this lives (HKCU\Control Panel\Desktop\LogPixels, read once
// at a process's start); the earlier setting comes back afterwards.
class ScreenDpiSetting {
public:
    explicit ScreenDpiSetting(DWORD dpi) {
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr);
        DWORD size = sizeof before_;
        hadOne_ = RegQueryValueExW(key_, kValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&before_), &size) ==
                  ERROR_SUCCESS;
        Set(dpi);
    }
    ~ScreenDpiSetting() {
        if (hadOne_) {
            Set(before_);
        } else {
            RegDeleteValueW(key_, kValue);
        }
        RegCloseKey(key_);
    }
    ScreenDpiSetting(const ScreenDpiSetting&) = delete;
    ScreenDpiSetting& operator=(const ScreenDpiSetting&) = delete;

private:
    static constexpr const wchar_t* kValue = L"LogPixels";
    void Set(DWORD dpi) {
        RegSetValueExW(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    }
    HKEY key_ = nullptr;
    DWORD before_ = 0;
    bool hadOne_ = false;
};

}  // namespace

TEST(DisplayScalingTest, TheScaledFormTestsPassAt120And144Dpi) {
    for (const int dpi : {120, 144}) {
        const test::TempFolder folder;
        const std::string report = folder / "report.xml";
        const ScreenDpiSetting setting(static_cast<DWORD>(dpi));
        SetEnvironmentVariableW(L"SORATN2_TEST_DPI", std::to_wstring(dpi).c_str());
        test::ChildProgram run(test::ThisTestProgram(),
                               L"--gtest_filter=ScaledFormTest.* --gtest_output=xml:" + rt::ToWide(report));
        SetEnvironmentVariableW(L"SORATN2_TEST_DPI", nullptr);
        EXPECT_EQ(run.WaitForExit(), 0u) << dpi << " dpi:\n"
                                         << (test::Exists(report) ? test::ReadBytes(report) : "no report");
    }
}
