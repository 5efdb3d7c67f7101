// The main job of SORATN2 shown on a sample tree, through the program's real
// windows and dialogs as a user would do it: the source, the destination, a
// copy with the parent folder. Pictures of the window after the scan, with
// the list's menu open, and after the copy are saved as bitmaps; what the
// program said is printed.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "support/UserAtTheWindow.h"

using namespace e2e;

namespace {

void Print(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), size, nullptr, nullptr);
    std::printf("%s\n", utf8.c_str());
}

std::wstring Argument(int index) {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    const std::wstring argument = index < count ? arguments[index] : L"";
    LocalFree(arguments);
    return argument;
}

// A notice the program shows on the way (folders the scan left out, say) is
// read out and answered, as the user would; the job then goes on.
void AnswerNotices(UserAtTheWindow& user) {
    while (user.DialogNow() != nullptr) Print(L"お知らせ: " + user.ReadAndCloseMessage());
}

}  // namespace

int main(int argc, char**) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: show_the_job SAMPLE DESTINATION PICTURES\n");
        return 2;
    }
    const std::wstring sample = Argument(1);
    const std::wstring destination = Argument(2);
    const std::wstring pictures = Argument(3);
    CreateDirectoryW(destination.c_str(), nullptr);

    UserAtTheWindow user(pictures);
    user.Click(kButton5);
    user.SaveAs(sample + L"\\DUMMY");
    AnswerNotices(user);
    Print(L"コピー元: " + sample + L", " + user.Text(kText1) + L" フォルダー");
    user.SaveScreenshot(pictures + L"\\after-scan.bmp");

    // The list's menu on the third item (写真), opened and closed choosing nothing.
    if (const HWND menu = user.OpenMenuOnItemAt(2)) {
        user.SaveScreenshot(pictures + L"\\list-menu.bmp");
        user.CloseMenu(menu);
    }

    Print(L"コピー先: " + destination + L", " + user.CopyWithParentTo(destination));
    AnswerNotices(user);
    user.SaveScreenshot(pictures + L"\\after-copy.bmp");

    PostMessageW(user.Window(), WM_CLOSE, 0, 0);
    return user.WaitForExit() == 0 ? 0 : 1;
}
