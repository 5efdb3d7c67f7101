#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "runtime/system/Cp932.h"
#include "support/TempFolder.h"
#include "support/UserAtTheWindow.h"

using namespace e2e;

namespace {

// The scan log gets its end mark when the scan is over; it can be read while
// the program writes it.
bool EndMarked(const std::string& log) {
    const HANDLE file = CreateFileW(rt::ToWide(log).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char last = 0;
    DWORD read = 0;
    const bool marked = SetFilePointer(file, -1, nullptr, FILE_END) != INVALID_SET_FILE_POINTER &&
                        ReadFile(file, &last, 1, &read, nullptr) && read == 1 && last == '\x1A';
    CloseHandle(file);
    return marked;
}

// Pixels darker than mid-grey: the ink of a text.
int DarkPixels(const std::vector<char>& pixels) {
    int dark = 0;
    for (std::size_t i = 0; i + 2 < pixels.size(); i += 3) {
        const int sum = static_cast<unsigned char>(pixels[i]) + static_cast<unsigned char>(pixels[i + 1]) +
                        static_cast<unsigned char>(pixels[i + 2]);
        if (sum < 3 * 128) ++dark;
    }
    return dark;
}

}  // namespace

// A scan long enough to be watched: the count of folders found moves on the
// screen while the program is busy, though it is sent nothing meanwhile and
// takes no message until the scan is over. A count of five digits is shown
// whole: a static text that wrapped at its leading blank showed a sliver.
TEST(LiveCountersTest, TheFolderCountMovesOnTheScreenDuringALongScan) {
    const std::string chains = "C:\\soratn2-chains";
    if (!test::Exists(chains)) GTEST_SKIP() << "no tree of 600 chains of 50 folders";
    test::TempFolder start;
    UserAtTheWindow user(rt::ToWide(start.Path()));
    user.Click(kButton5);
    const std::vector<char> before = user.ControlOnScreen(kText1);

    user.Save(rt::ToWide(chains + "\\DUMMY"));
    std::set<std::vector<char>> counts;
    for (int tries = 0; tries < 12000 && !EndMarked(start / "TEST_FOL.TXT"); ++tries) {
        const std::vector<char> shown = user.ControlOnScreen(kText1);
        if (shown != before) counts.insert(shown);
        Sleep(5);
    }
    EXPECT_TRUE(EndMarked(start / "TEST_FOL.TXT")) << "the scan did not end within a minute";
    EXPECT_GE(counts.size(), 3u);

    user.WaitUntilIdle();
    EXPECT_EQ(user.Text(kText1), L" 30000");
    // The blank and five digits stay on one line, all of them to be seen.
    Sleep(300);
    EXPECT_GE(DarkPixels(user.ControlOnScreen(kText1)), 60);
    PostMessageW(user.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(user.WaitForExit(), 0u);
}
