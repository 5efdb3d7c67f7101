#include "support/UserAtTheWindow.h"

#include <initializer_list>
#include <string>
#include <stdexcept>
#include <vector>

namespace e2e {

namespace {

constexpr int kFileNameBox = 0x47C;  // the save dialog's ComboBoxEx with the name

// The mouse messages are sent, not posted: the program takes a sent message
// only where it takes any message, so once they are through, the event they
// raised is queued, and the next message sent to it waits until that event's
// procedure has run.
void MouseClick(HWND window, int x, int y) {
    const LPARAM point = MAKELPARAM(x, y);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(window, WM_LBUTTONUP, 0, point);
}

std::wstring ItemText(HWND list, int index) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

// For a test's own messages, which the terminal shows in UTF-8.
std::string Utf8(const std::wstring& text) {
    std::string bytes(text.size() * 3, '\0');
    bytes.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                              bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                                              nullptr)));
    return bytes;
}

HWND FileNameEdit(HWND dialog) {
    const HWND box = GetDlgItem(dialog, kFileNameBox);
    if (box == nullptr) return nullptr;
    const HWND combo = FindWindowExW(box, nullptr, L"ComboBox", nullptr);
    return FindWindowExW(combo != nullptr ? combo : box, nullptr, L"Edit", nullptr);
}

}  // namespace

UserAtTheWindow::UserAtTheWindow(const std::wstring& startFolder, const std::wstring& program)
    : program_(program.empty() ? test::ProgramBesideThisTest() : program, L"", startFolder) {
    window_ = program_.WaitForMainWindow();
    if (window_ == nullptr) throw std::runtime_error("the main window did not appear");
    // The window shows before the program's start-up has run; its first
    // layout, which gives the list its height, comes at the first wait.
    test::WaitUntil([&] {
        RECT list{};
        GetWindowRect(Control(kList1), &list);
        return list.bottom - list.top == 340;
    });
    WaitUntilIdle();
}

std::wstring UserAtTheWindow::Text(int id) const {
    wchar_t text[1024] = L"";
    SendMessageW(Control(id), WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

void UserAtTheWindow::Click(int id) {
    Press(id);
    WaitUntilIdle();
}

void UserAtTheWindow::Press(int id) {
    RECT rect{};
    GetClientRect(Control(id), &rect);
    MouseClick(Control(id), rect.right / 2, rect.bottom / 2);
}

void UserAtTheWindow::ClickItem(const std::wstring& text) {
    const HWND list = Control(kList1);
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        if (ItemText(list, index) == text) return ClickItemAt(index);
    }
    throw std::runtime_error("no such list item");
}

void UserAtTheWindow::ClickItemAt(int index) {
    PressItemAt(index);
    WaitUntilIdle();
}

void UserAtTheWindow::PressItemAt(int index) {
    const HWND list = Control(kList1);
    SendMessageW(list, LB_SETTOPINDEX, index, 0);
    const int height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const int top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    MouseClick(list, 6, (index - top) * height + height / 2);
}

HWND UserAtTheWindow::OpenMenuOnItemAt(int index) {
    const HWND list = Control(kList1);
    SendMessageW(list, LB_SETTOPINDEX, index, 0);
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    const LPARAM point = MAKELPARAM(item.left + 6, (item.top + item.bottom) / 2);
    SendMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, point);
    SendMessageW(list, WM_RBUTTONUP, 0, point);
    HWND menu = nullptr;
    test::WaitUntil([&] {
        menu = FindWindowW(L"#32768", nullptr);
        return menu != nullptr && IsWindowVisible(menu);
    });
    return menu;
}

void UserAtTheWindow::CloseMenu(HWND menu) {
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 1);
    test::WaitUntil([&] { return !IsWindowVisible(menu); });
    WaitUntilIdle();
}

void UserAtTheWindow::TypeIntoEdit(const std::wstring& text) {
    const HWND edit = Control(kEdit1);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_CLEAR, 0, 0);
    for (const wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
}

std::vector<std::wstring> UserAtTheWindow::Items() const {
    std::vector<std::wstring> items;
    const HWND list = Control(kList1);
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) items.push_back(ItemText(list, index));
    return items;
}

std::vector<std::wstring> UserAtTheWindow::SelectedItems() const {
    std::vector<std::wstring> items;
    const HWND list = Control(kList1);
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        if (SendMessageW(list, LB_GETSEL, index, 0) > 0) items.push_back(ItemText(list, index));
    }
    return items;
}

// The program answers messages during a long command too; its busy query
// tells whether a command runs or waits to run. A click's messages may still
// wait in the program's queue when it answers the first look, so a second
// look 20 ms later must find it idle as well. Inside a dialog it opened the
// program waits for the user: that is idle too.
bool UserAtTheWindow::WaitUntilIdle() {
    const ULONGLONG giveUp = GetTickCount64() + test::kPatienceMilliseconds;
    int idleLooks = 0;
    while (GetTickCount64() < giveUp) {
        const int busy = BusyAnswer();
        if (busy < 0) return false;
        idleLooks = busy == 0 || DialogNow() != nullptr ? idleLooks + 1 : 0;
        if (idleLooks == 2) return true;
        Sleep(idleLooks > 0 ? 20 : 5);
    }
    return false;
}

int UserAtTheWindow::BusyAnswer() { return test::BusyAnswer(window_); }

bool UserAtTheWindow::Answers() {
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, test::kPatienceMilliseconds, &answer) != 0;
}

HWND UserAtTheWindow::WaitForDialog() { return program_.WaitForMessageBox(); }

HWND UserAtTheWindow::DialogNow() const { return program_.MessageBoxNow(); }

void UserAtTheWindow::SaveAs(const std::wstring& path) {
    Save(path);
    WaitUntilIdle();
}

void UserAtTheWindow::Save(const std::wstring& path) {
    const HWND dialog = WaitForDialog();
    if (dialog == nullptr) throw std::runtime_error("no save dialog");
    const HWND edit = FileNameEdit(dialog);
    if (edit == nullptr) throw std::runtime_error("no file name box");
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    HWND refusal = nullptr;
    test::WaitUntil([&] { return !IsWindow(dialog) || (refusal = program_.BoxOwnedBy(dialog)) != nullptr; }, 5);
    if (refusal == nullptr) return;
    // The dialog said why it does not take the path (a folder that is not
    // there): the test cannot go on as it meant to, and says why.
    const std::wstring why = test::MessageBoxText(refusal);
    PostMessageW(refusal, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    test::WaitUntil([&] { return !IsWindow(refusal); });
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    test::WaitUntil([&] { return !IsWindow(dialog); });
    throw std::runtime_error("the save dialog did not take " + Utf8(path) + ": " + Utf8(why));
}

void UserAtTheWindow::CancelDialog() {
    const HWND dialog = WaitForDialog();
    if (dialog == nullptr) throw std::runtime_error("no dialog");
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    test::WaitUntil([&] { return !IsWindow(dialog); });
    WaitUntilIdle();
}

namespace {

// Input reaches a window of another process once both threads share their
// input state and its window is in front.
void SendKeys(HWND window, std::initializer_list<WORD> codes, std::initializer_list<bool> down) {
    const DWORD programThread = GetWindowThreadProcessId(window, nullptr);
    AttachThreadInput(GetCurrentThreadId(), programThread, TRUE);
    SetForegroundWindow(window);
    SetFocus(window);
    std::vector<INPUT> keys(codes.size());
    auto isDown = down.begin();
    auto code = codes.begin();
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = *code++;
        key.ki.dwFlags = *isDown++ ? 0 : KEYEVENTF_KEYUP;
    }
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof keys[0]);
    AttachThreadInput(GetCurrentThreadId(), programThread, FALSE);
}

}  // namespace

void UserAtTheWindow::TypeCtrlC() {
    SendKeys(window_, {VK_CONTROL, 'C', 'C', VK_CONTROL}, {true, true, false, false});
}

void UserAtTheWindow::HoldCtrlC(bool down) {
    if (down) {
        SendKeys(window_, {VK_CONTROL, 'C'}, {true, true});
    } else {
        SendKeys(window_, {'C', VK_CONTROL}, {false, false});
    }
}

void UserAtTheWindow::PressKey(WPARAM key) {
    const HWND target = FocusedWindow();
    PostMessageW(target != nullptr ? target : window_, WM_KEYDOWN, key, 1);
    PostMessageW(target != nullptr ? target : window_, WM_KEYUP, key, 1 | (3L << 30));
    // Posted input is taken after a sent message; give the program a moment
    // to pick it up before asking whether it is idle.
    Sleep(200);
    WaitUntilIdle();
}

HWND UserAtTheWindow::FocusedWindow() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info);
    return info.hwndFocus;
}

// Taken from the screen: a window of another process does not draw itself
// into a device context of ours under Wine.
namespace {

// The screen's pixels in the rectangle, bottom row first, 24 bits each.
std::vector<char> ScreenPixels(const RECT& rect, BITMAPINFOHEADER& header) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    header = BITMAPINFOHEADER{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const DWORD rowBytes = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    std::vector<char> pixels(rowBytes * static_cast<DWORD>(height));
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

}  // namespace

bool UserAtTheWindow::SaveScreenshot(const std::wstring& path) const {
    Sleep(500);  // the program paints once it is idle
    RECT rect{};
    GetWindowRect(window_, &rect);
    BITMAPINFOHEADER header;
    const std::vector<char> pixels = ScreenPixels(rect, header);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool saved = WriteFile(out, &file, sizeof file, &written, nullptr) &&
                       WriteFile(out, &header, sizeof header, &written, nullptr) &&
                       WriteFile(out, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
    CloseHandle(out);
    return saved;
}

std::vector<char> UserAtTheWindow::ControlOnScreen(int id) const {
    RECT rect{};
    GetWindowRect(Control(id), &rect);
    return OnScreen(rect);
}

std::vector<char> UserAtTheWindow::OnScreen(const RECT& rect) {
    BITMAPINFOHEADER header;
    return ScreenPixels(rect, header);
}

std::wstring UserAtTheWindow::ReadAndCloseMessage() {
    const HWND box = WaitForDialog();
    if (box == nullptr) return L"(no message box)";
    const std::wstring seen = test::WindowText(box) + L"|" + test::MessageBoxText(box);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    test::WaitUntil([&] { return !IsWindow(box); });
    WaitUntilIdle();
    return seen;
}

std::wstring UserAtTheWindow::CopyWithParentTo(const std::wstring& destination) {
    Click(kButton6);
    SaveAs(destination + L"\\DUMMY");
    Click(kCheck1);
    Click(kButton7);
    return ReadAndCloseMessage();
}

std::wstring UserAtTheWindow::Undo() {
    Click(kButton9);
    return ReadAndCloseMessage();
}

}  // namespace e2e
