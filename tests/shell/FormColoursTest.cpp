#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <ostream>
#include <vector>

#include "program/Program.h"
#include "shell/FormColours.h"
#include "support/ProgramRun.h"
#include "support/WindowGeometry.h"

// The form's colours with high contrast on and off. Wine answers
// SPI_GETHIGHCONTRAST with off whatever the colours, so the tests put their
// own answer in place of that one query; the colours themselves are the
// system's, set here to a high-contrast scheme and given back afterwards.
namespace {

bool highContrast = false;
bool TestsHighContrast() { return highContrast; }

// The query replaced for the test's length.
class HighContrastAnswered {
public:
    explicit HighContrastAnswered(bool on) {
        highContrast = on;
        shell::SetHighContrastQuery(TestsHighContrast);
    }
    ~HighContrastAnswered() { shell::SetHighContrastQuery(nullptr); }
    HighContrastAnswered(const HighContrastAnswered&) = delete;
    HighContrastAnswered& operator=(const HighContrastAnswered&) = delete;
};

constexpr std::array<int, 4> kPairs = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT};

// A scheme like the system's "High Contrast #1", each colour of its own.
class HighContrastScheme {
public:
    HighContrastScheme() {
        for (std::size_t i = 0; i < kPairs.size(); ++i) before_[i] = GetSysColor(kPairs[i]);
        const std::array<COLORREF, 4> scheme = {RGB(0, 0, 0), RGB(255, 255, 0), RGB(0, 0, 128), RGB(0, 255, 0)};
        SetSysColors(static_cast<int>(kPairs.size()), kPairs.data(), scheme.data());
    }
    ~HighContrastScheme() { SetSysColors(static_cast<int>(kPairs.size()), kPairs.data(), before_.data()); }
    HighContrastScheme(const HighContrastScheme&) = delete;
    HighContrastScheme& operator=(const HighContrastScheme&) = delete;

private:
    std::array<COLORREF, 4> before_{};
};

struct Answer {
    COLORREF text;
    COLORREF background;
    COLORREF brush;
    bool operator==(const Answer&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Answer& answer) {
    return out << std::hex << answer.text << " on " << answer.background << ", brush " << answer.brush;
}

bool IsPushButton(HWND control) {
    wchar_t name[16] = L"";
    GetClassNameW(control, name, 16);
    const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiW(name, L"Button") == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

bool AsksForColours(HWND control) {
    wchar_t name[16] = L"";
    GetClassNameW(control, name, 16);
    return lstrcmpiW(name, L"Static") == 0 || lstrcmpiW(name, L"Button") == 0;
}

// What the form answers the control that asks for its colours, as the
// control asks: a button with WM_CTLCOLORBTN, a caption or the check box
// with WM_CTLCOLORSTATIC.
Answer AnswerFor(HWND control) {
    HDC dc = CreateCompatibleDC(nullptr);
    const UINT message = IsPushButton(control) ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC;
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(program::MAINFORM.window, message,
                                                             reinterpret_cast<WPARAM>(dc),
                                                             reinterpret_cast<LPARAM>(control)));
    LOGBRUSH logBrush{};
    GetObjectW(brush, sizeof logBrush, &logBrush);
    const Answer answer{GetTextColor(dc), GetBkColor(dc), logBrush.lbColor};
    DeleteDC(dc);
    return answer;
}

COLORREF FormBackground() {
    LOGBRUSH logBrush{};
    const auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtrW(program::MAINFORM.window, GCLP_HBRBACKGROUND));
    GetObjectW(brush, sizeof logBrush, &logBrush);
    return logBrush.lbColor;
}

Answer SystemPair(int text, int background) {
    return {GetSysColor(text), GetSysColor(background), GetSysColor(background)};
}

constexpr Answer kBlackOnWhite{RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 255)};

// Every control that asks answered as `expected` says for its kind.
void ExpectAnswers(const Answer& forButtons, const Answer& forCaptions) {
    int asked = 0;
    for (int id = 1; id <= 19; ++id) {
        const HWND control = GetDlgItem(program::MAINFORM.window, id);
        if (!AsksForColours(control)) continue;
        ++asked;
        EXPECT_EQ(AnswerFor(control), IsPushButton(control) ? forButtons : forCaptions) << "control " << id;
    }
    EXPECT_EQ(asked, 17);  // all but the list and the edit box
}

std::vector<RECT> Places() {
    std::vector<RECT> places{};
    RECT window{};
    GetWindowRect(program::MAINFORM.window, &window);
    places.push_back(window);
    for (int id = 1; id <= 19; ++id) places.push_back(test::PlaceInParent(GetDlgItem(program::MAINFORM.window, id)));
    return places;
}

bool SamePlaces(const std::vector<RECT>& a, const std::vector<RECT>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const RECT& x, const RECT& y) {
        return x.left == y.left && x.top == y.top && x.right == y.right && x.bottom == y.bottom;
    });
}

}  // namespace

// In the scaled-form suite: it runs again at 120 and 144 dots per inch.
TEST(ScaledFormTest, HighContrastGivesEveryCaptionTheSystemsPairAndMovesNothing) {
    const HighContrastAnswered query(false);
    std::vector<RECT> before;
    test::RunProgramWith({
        [&] {
            ExpectAnswers(kBlackOnWhite, kBlackOnWhite);
            EXPECT_EQ(FormBackground(), RGB(255, 255, 255));
            before = Places();
        },
        [&] {
            const HighContrastScheme scheme;
            // Still off: the scheme alone changes nothing.
            SendMessageW(program::MAINFORM.window, WM_SYSCOLORCHANGE, 0, 0);
            ExpectAnswers(kBlackOnWhite, kBlackOnWhite);
            // Turned on: the system tells every window with WM_SETTINGCHANGE.
            highContrast = true;
            SendMessageW(program::MAINFORM.window, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
            ExpectAnswers(SystemPair(COLOR_BTNTEXT, COLOR_BTNFACE), SystemPair(COLOR_WINDOWTEXT, COLOR_WINDOW));
            EXPECT_EQ(FormBackground(), GetSysColor(COLOR_WINDOW));
            EXPECT_TRUE(SamePlaces(Places(), before));
            // Off again, told by WM_SYSCOLORCHANGE this time.
            highContrast = false;
            SendMessageW(program::MAINFORM.window, WM_SYSCOLORCHANGE, 0, 0);
            ExpectAnswers(kBlackOnWhite, kBlackOnWhite);
            EXPECT_EQ(FormBackground(), RGB(255, 255, 255));
        },
        [&] { EXPECT_TRUE(SamePlaces(Places(), before)); },
    });
}

TEST(ScaledFormTest, HighContrastOnAtStartIsTakenAtOnce) {
    const HighContrastAnswered query(true);
    const HighContrastScheme scheme;
    test::RunProgramWith({
        [] {
            ExpectAnswers(SystemPair(COLOR_BTNTEXT, COLOR_BTNFACE), SystemPair(COLOR_WINDOWTEXT, COLOR_WINDOW));
            EXPECT_EQ(FormBackground(), RGB(0, 0, 0));
        },
    });
}
