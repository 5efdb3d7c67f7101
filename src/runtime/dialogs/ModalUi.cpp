#include "runtime/dialogs/ModalUi.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "runtime/run/RunHooks.h"
#include "runtime/run/StatementPoll.h"
#include "runtime/system/Handles.h"

namespace rt {

namespace {

class SystemModalUi final : public ModalUi {
public:
    int ShowMessageBox(const MessageBoxRequest& request) override {
        return MessageBoxW(request.owner, request.text.c_str(), request.title.c_str(), request.style);
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
        if (!GetSaveFileNameW(&dialog)) return std::nullopt;
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
