#include "runtime/dialogs/ModalUi.h"

#include <commdlg.h>

#include <algorithm>
#include <array>
#include <vector>

#include "runtime/run/RunHooks.h"
#include "runtime/run/StatementPoll.h"
#include "runtime/system/Handles.h"

namespace rt {

namespace {

// Under Wine 8 a device context of the system's cache, once given back, goes
// on holding the drawing surface of the window it last drew on, closed or
// not, until it is taken for another window: a closed save dialog's surface
// (0.85 MB of shared memory at 96 dpi) stays through the scan and the copy,
// and the next dialog lets it go only once its own is there beside it.
// Taking every context of the cache at once for the owner, and giving them
// back, lets go of what the closed window left now. Windows holds no such
// surface; there this is a few calls more.
void LetGoOfClosedWindowSurfaces(HWND owner) {
    constexpr std::size_t kCachedContexts = 64;  // Wine's cache of device contexts
    std::array<HDC, kCachedContexts> taken{};
    for (HDC& context : taken) context = GetDCEx(owner, nullptr, DCX_CACHE);
    for (HDC context : taken) {
        if (context != nullptr) ReleaseDC(owner, context);
    }
}

class SystemModalUi final : public ModalUi {
public:
    int ShowMessageBox(const MessageBoxRequest& request) override {
        const int answer = MessageBoxW(request.owner, request.text.c_str(), request.title.c_str(), request.style);
        LetGoOfClosedWindowSurfaces(request.owner);
        return answer;
    }

    std::optional<std::wstring> ShowSaveDialog(const SaveDialogRequest& request) override {
        std::vector<wchar_t> path(request.maxPath + 1, L'\0');
        request.fileName.copy(path.data(), std::min<std::size_t>(request.fileName.size(), request.maxPath));
        OPENFILENAMEW dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = request.owner;
        dialog.lpstrFilter = request.filter.c_str();
        dialog.nFilterIndex = 1;
        dialog.lpstrFile = path.data();
        dialog.nMaxFile = request.maxPath;
        dialog.lpstrInitialDir = request.initialFolder.c_str();
        dialog.lpstrTitle = request.title.c_str();
        dialog.Flags = request.flags;
        const BOOL confirmed = GetSaveFileNameW(&dialog);
        LetGoOfClosedWindowSurfaces(request.owner);
        if (!confirmed) return std::nullopt;
        return std::wstring(path.data());
    }

    // TPM_RETURNCMD: the choice comes back here instead of as a WM_COMMAND,
    // which the form would take for a control's. The owner is brought to the
    // front first, and sent itself a message after, or a click elsewhere
    // would not close the menu, nor the next one open at once.
    int ShowPopupMenu(const PopupMenuRequest& request) override {
        const MenuHandle menu(CreatePopupMenu());
        if (!menu.Valid()) return 0;
        UINT id = 1;
        for (const std::wstring& item : request.items) AppendMenuW(menu.Get(), MF_STRING, id++, item.c_str());
        SetForegroundWindow(request.owner);
        const BOOL chosen = TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN,
                                           request.place.x, request.place.y, 0, request.owner, nullptr);
        PostMessageW(request.owner, WM_NULL, 0, 0);
        LetGoOfClosedWindowSurfaces(request.owner);
        return static_cast<int>(chosen);
    }
};

// The one seam where tests stand in for the user: installed for a test's
// length, the system's own otherwise.
SystemModalUi systemUi;
ModalUi* current = &systemUi;

// Around one conversation: keys pressed while it is open, Ctrl+C among them,
// are seen by the first statement after it.
class Conversation {
public:
    Conversation() { SettleAt(SettlePoint::kDialogOpening); }
    ~Conversation() {
        SettleAt(SettlePoint::kDialogReturned);
        PollAtNextStatement();
    }
    Conversation(const Conversation&) = delete;
    Conversation& operator=(const Conversation&) = delete;
};

}  // namespace

int ShowMessageBox(const MessageBoxRequest& request) {
    const Conversation conversation;
    return current->ShowMessageBox(request);
}

std::optional<std::wstring> ShowSaveDialog(const SaveDialogRequest& request) {
    const Conversation conversation;
    return current->ShowSaveDialog(request);
}

int ShowPopupMenu(const PopupMenuRequest& request) {
    const Conversation conversation;
    return current->ShowPopupMenu(request);
}

void SetModalUi(ModalUi* ui) { current = ui ? ui : &systemUi; }

}  // namespace rt
