#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/ChildProgram.h"

namespace e2e {

// Control ids of the main window, in the order of its form.
enum Control : int {
    kText1 = 1, kText2, kText3, kText4, kList1, kButton1, kButton2, kText5, kButton3, kButton4,
    kButton5, kButton6, kText6, kText7, kCheck1, kEdit1, kButton7, kButton8, kButton9
};

// SORATN2.exe started in a folder of its own and used as a person would:
// through its real windows only, from this separate process.
class UserAtTheWindow {
public:
    // The program beside this one unless another is named.
    explicit UserAtTheWindow(const std::wstring& startFolder, const std::wstring& program = {});

    HWND Window() const { return window_; }
    HWND Control(int id) const { return GetDlgItem(window_, id); }
    // The control's text as it has it now (WM_GETTEXT: GetWindowText does not
    // ask a control of another process).
    std::wstring Text(int id) const;
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }

    // A mouse click on a button or the check box.
    void Click(int id);
    // A mouse click on the list item with this text, or at this index.
    void ClickItem(const std::wstring& text);
    void ClickItemAt(int index);
    // The same clicks, returning as soon as the program has taken them: two
    // answered round trips later their event has run.
    void Press(int id);
    void PressItemAt(int index);
    // A right click on the list item at this index; the menu it opened, or
    // null when none came within patience.
    HWND OpenMenuOnItemAt(int index);
    // Closes the open menu as Esc does, choosing nothing.
    void CloseMenu(HWND menu);
    // Types the text into EDIT1 in place of what it holds.
    void TypeIntoEdit(const std::wstring& text);
    // Ctrl+C typed on the keyboard while the main window is in front.
    void TypeCtrlC();
    // Ctrl and C pressed, or let go, on the keyboard while the main window
    // is in front: held, they are seen by a program that looks at the
    // keyboard only now and then.
    void HoldCtrlC(bool down);
    // A key pressed and released where the program has its keyboard focus.
    void PressKey(WPARAM key);
    HWND FocusedWindow() const;
    // The main window as drawn now, as a bitmap file.
    bool SaveScreenshot(const std::wstring& path) const;
    // The pixels on the screen where the control is, or in the rectangle, read
    // from the screen: the program is sent nothing. Rows of 24-bit pixels
    // (blue, green, red), the bottom row first, each padded to 4 bytes.
    std::vector<char> ControlOnScreen(int id) const;
    static std::vector<char> OnScreen(const RECT& rect);

    std::vector<std::wstring> Items() const;
    std::vector<std::wstring> SelectedItems() const;

    // Waits until the program is idle: its event procedure has run, or it
    // waits in a dialog. False when patience ran out
    // (test::kPatienceMilliseconds).
    bool WaitUntilIdle();
    // One message sent and answered: the program took messages since the
    // call began. False when patience ran out.
    bool Answers();
    // The program's answer to its busy query ("SORATN2.Busy"): 1 while a
    // command runs or waits to run, 0 when it waits for the user, -1 when
    // patience ran out.
    int BusyAnswer();

    // The dialog or message box the program opened; null when patience ran out.
    HWND WaitForDialog();
    // The dialog or message box open now, or null.
    HWND DialogNow() const;
    // Types a full path into the save dialog's file name box and saves.
    void SaveAs(const std::wstring& path);
    // The same, returning as soon as the dialog has gone.
    void Save(const std::wstring& path);
    void CancelDialog();
    // Reads the open message box ("title|text") and closes it with OK.
    std::wstring ReadAndCloseMessage();

    // The destination chosen in its dialog, the parent folder asked for, and
    // the copy run: the message that ends it, read and closed.
    std::wstring CopyWithParentTo(const std::wstring& destination);
    // The undo run: the message that ends it, read and closed.
    std::wstring Undo();

    DWORD WaitForExit() { return program_.WaitForExit(); }
    HANDLE Process() const { return program_.Process(); }

private:
    test::ChildProgram program_;
    HWND window_ = nullptr;
};

}  // namespace e2e
