#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The program's modal conversations with the user (message boxes, the save
// dialog and the list's menu) go through this one interface, so that tests can script the
// user's answers. Everything up to the system call is prepared outside it.
namespace rt {

struct MessageBoxRequest {
    HWND owner = nullptr;
    std::wstring title;
    std::wstring text;
    UINT style = 0;  // MB_* buttons, icon and modality
};

struct SaveDialogRequest {
    HWND owner = nullptr;
    std::wstring title;
    std::wstring initialFolder;
    std::wstring fileName;  // proposed name in the file name box
    std::wstring filter;    // description, NUL, pattern, NUL ... NUL
    DWORD flags = 0;        // OFN_* options
    DWORD maxPath = 0;      // room for the chosen path, in characters
};

struct PopupMenuRequest {
    HWND owner = nullptr;
    POINT place{};                    // the menu's top left corner, on the screen
    std::vector<std::wstring> items;  // the commands, in order
};

class ModalUi {
public:
    virtual ~ModalUi() = default;

    // The platform's button identifier (IDOK, IDCANCEL, IDYES ...).
    virtual int ShowMessageBox(const MessageBoxRequest& request) = 0;

    // The confirmed path, or nothing when the user cancelled or the dialog failed.
    virtual std::optional<std::wstring> ShowSaveDialog(const SaveDialogRequest& request) = 0;

    // The chosen command, 1 for the first; 0 when the user chose none.
    virtual int ShowPopupMenu(const PopupMenuRequest& request) = 0;
};

// The conversations themselves, through the interface in use (the system's
// own unless a test installed another). The shell settles its controls before
// the window is handed to the user and again after, since messages reach the
// windows meanwhile; the first statement after the conversation polls.
int ShowMessageBox(const MessageBoxRequest& request);
std::optional<std::wstring> ShowSaveDialog(const SaveDialogRequest& request);
int ShowPopupMenu(const PopupMenuRequest& request);

// Installs `ui` (nullptr: the system's own again).
void SetModalUi(ModalUi* ui);

}  // namespace rt
