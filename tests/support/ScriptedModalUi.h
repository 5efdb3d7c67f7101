#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "runtime/dialogs/ModalUi.h"

namespace test {

// Stands in for the user at message boxes, save dialogs and the list's menu:
// records what the program showed and answers from a script. Installed for
// its lifetime.
class ScriptedModalUi final : public rt::ModalUi {
public:
    ScriptedModalUi() { rt::SetModalUi(this); }
    ~ScriptedModalUi() override { rt::SetModalUi(nullptr); }
    ScriptedModalUi(const ScriptedModalUi&) = delete;
    ScriptedModalUi& operator=(const ScriptedModalUi&) = delete;

    int ShowMessageBox(const rt::MessageBoxRequest& request) override {
        messageBoxes.push_back(request);
        if (whileShown) whileShown();
        if (buttonAnswers.empty()) return IDOK;
        const int answer = buttonAnswers.front();
        buttonAnswers.pop_front();
        return answer;
    }

    std::optional<std::wstring> ShowSaveDialog(const rt::SaveDialogRequest& request) override {
        saveDialogs.push_back(request);
        if (dialogAnswers.empty()) return std::nullopt;
        auto answer = dialogAnswers.front();
        dialogAnswers.pop_front();
        return answer;
    }

    int ShowPopupMenu(const rt::PopupMenuRequest& request) override {
        popupMenus.push_back(request);
        if (menuAnswers.empty()) return 0;
        const int answer = menuAnswers.front();
        menuAnswers.pop_front();
        return answer;
    }

    std::vector<rt::MessageBoxRequest> messageBoxes;
    std::vector<rt::SaveDialogRequest> saveDialogs;
    std::vector<rt::PopupMenuRequest> popupMenus;
    std::deque<int> buttonAnswers;                         // IDOK when empty
    std::deque<std::optional<std::wstring>> dialogAnswers;  // cancel when empty
    std::deque<int> menuAnswers;                            // no command when empty
    std::function<void()> whileShown;                       // runs while a box is open
};

}  // namespace test
