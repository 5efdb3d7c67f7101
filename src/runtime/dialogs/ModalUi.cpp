#include "runtime/dialogs/ModalUi.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "runtime/run/RunHooks.h"
#include "runtime/run/StatementPoll.h"

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

void SetModalUi(ModalUi* ui) { current = ui ? ui : &systemUi; }

}  // namespace rt
